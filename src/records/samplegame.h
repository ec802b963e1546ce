#pragma once

#include <QByteArray>
#include <QString>

// Writes a synthetic game folder for trying the program out and for tests: a GOB file of
// filler bytes holding image records and whole-file PNG records at odd offsets, an empty
// Torvane.exe, the data/bats folder and the matching BmpList.txt. Nothing comes from the game.
namespace SampleGame {

struct Paths
{
    QString gob; // DIR/Torvane/data/torvane_pc.gob
    QString catalogue; // DIR/BmpList.txt
    QString game; // DIR/Torvane/
};

// Writes everything under dir (created when missing); throws a Failure when a file cannot be
// written.
Paths write(const QString &dir);

} // namespace SampleGame
