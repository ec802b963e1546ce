#pragma once

#include <QString>

// The "data" folder rule: the game folder is the GOB path up to and including the separator
// in front of the first "data" folder, found without regard to letter case and with either
// separator ("\data\" or "/data/").
namespace GameFolder {

// 0-based index of the separator in front of the first data folder at or after from; -1 if none.
qsizetype dataFolderIndex(const QString &gobPath, qsizetype from = 0);

// The game folder with its trailing separator; empty when the path has no data folder.
QString gameFolderOf(const QString &gobPath);

// The game's data/bats folder, the data folder searched from the fifth character on; empty
// when the path has no data folder.
QString batsFolderOf(const QString &gobPath);

} // namespace GameFolder
