#pragma once

#include <QString>
#include <QStringList>

#include <QList>

#include <utility>

// The move of a package's .tga files into the game's data/bats folder. The files are replaced
// as part of the package's change of the GOB file (GobChange::addFile), so that its journal
// keeps the old ones and undo, redo and recovery put them back; this finds them, refuses a
// target that is an input, makes the folder and removes the unpacked sources afterwards.
class TgaMove
{
public:
    // Result numbers of the move, as the final message of an import shows them.
    static constexpr int Moved = 0; // every .tga file moved
    static constexpr int NoFiles = 2; // the package held no .tga file
    static constexpr int NoFolder = 3; // no bats folder: the GOB path has no data folder

    // The files matching *.tga (any letter case) directly in folder, bound for batsFolder (for
    // nowhere when it is empty). Throws a Failure when a target is one of inputs.
    TgaMove(const QString &folder, const QString &batsFolder, const QStringList &inputs);

    // The files of the bats folder that the move replaces.
    const QStringList &replaced() const { return m_replaced; }
    // Each file's target in the bats folder and its source; none without a bats folder.
    QList<std::pair<QString, QString>> moves() const;

    // Creates the bats folder when it is missing.
    void prepare();

    // Once the change has put every file in place: removes the sources. Returns Moved, NoFiles
    // or NoFolder.
    int commit();

private:
    QString m_folder;
    QString m_bats;
    QStringList m_names;
    QStringList m_replaced;
};
