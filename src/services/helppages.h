#pragma once

#include <QString>
#include <QUrl>

namespace MainModule {

// True for an installed copy: no help pages beside the executable, but in the shared data
// folder of its prefix (bin/../share/kestrix/help).
bool isInstalledCopy();

// The folder of the HTML help pages, with a trailing "/".
QString helpFolder();

// The page of a help topic number; topic 0 is the contents page index.htm.
QUrl helpPage(int topic);

} // namespace MainModule
