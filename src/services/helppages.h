#pragma once

#include <QString>
#include <QUrl>

namespace MainModule {

// The folder of the HTML help pages, with a trailing "/".
QString helpFolder();

// The page of a help topic number; topic 0 is the contents page index.htm.
QUrl helpPage(int topic);

} // namespace MainModule
