#pragma once

#include <QString>

namespace MainModule {

// The application folder with a trailing "/": the folder named by KESTRIX_HOME when that is
// set, otherwise the executable's folder, or for an installed copy whose folder is not
// writable the user's data folder (on Linux ~/.local/share/Kestrix/). BmpList.txt, temp.bmp
// and KX_Temp live there.
QString AppPath();

// Appends "/" unless the folder already ends in a separator (a root folder such as "/" or "C:/").
QString withTrailingSlash(const QString &folder);

// Fixed names inside the application folder.
QString cataloguePath();
QString scratchBitmapPath();

} // namespace MainModule
