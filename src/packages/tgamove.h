#pragma once

#include <QString>

// The move of a package's .tga files into the game's data/bats folder.
namespace TgaMove {

// Result numbers of the move, as the final message of an import shows them.
constexpr int Moved = 0; // every .tga file moved
constexpr int NoFiles = 2; // the package held no .tga file
constexpr int NoFolder = 3; // no bats folder: the GOB path has no data folder, or it cannot be made
constexpr int NotMoved = 5; // a file could not be moved

// Moves every file matching *.tga (any letter case) directly in folder into batsFolder,
// creating it when missing and replacing files of the same name there. Returns the result of
// the first failure, or Moved, or NoFiles when there was nothing to move. An empty batsFolder
// moves nothing.
int moveTgaFiles(const QString &folder, const QString &batsFolder);

} // namespace TgaMove
