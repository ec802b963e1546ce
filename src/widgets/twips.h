#pragma once

#include <cmath>

// Window layouts are designed in twips (1/1440 inch); at the usual 96 dots per inch a pixel is
// 15 twips.
namespace Twips {

constexpr int PerPixel = 15;

inline int toPixels(int twips)
{
    return int(std::lround(twips / double(PerPixel)));
}

inline int fromPixels(int pixels)
{
    return pixels * PerPixel;
}

} // namespace Twips
