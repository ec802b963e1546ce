#pragma once

#include <QImage>

#include <functional>
#include <vector>

// Shrinking an opaque picture by area averaging, one source row at a time, so that only the
// result is held whole. The weights and the integer arithmetic are those of Qt's smooth scaling
// (QImage::scaled with Qt::SmoothTransformation) when a picture shrinks both ways, so that the
// pixels, and the JPEG made of them, come out the same whichever way the picture was scaled.
class AreaShrink
{
public:
    // A picture of sourceWidth x sourceHeight made into width x height.
    AreaShrink(int sourceWidth, int sourceHeight, int width, int height);

    // Whether the picture shrinks both ways and every weight falls inside the source: only then
    // does run() give Qt's pixels.
    bool applies() const { return m_applies; }

    // The result in Format_RGB32. row(r) gives source row r (top row first) as sourceWidth
    // colours, valid until the next call; it is asked for rows in increasing order, each once,
    // and returns nullptr to stop (run() then returns a null image).
    QImage run(const std::function<const QRgb *(int)> &row) const;

private:
    // Where one result pixel's span starts in the source and the weights of its pixels out of
    // 1 << 14: first for the first one, each for those between, last for the last one.
    struct Span
    {
        int start = 0;
        int count = 0;
        int first = 0;
        int each = 0;
        int last = 0;
    };
    static std::vector<Span> spans(int source, int result);

    std::vector<Span> m_columns, m_rows;
    bool m_applies = false;
};
