#pragma once

#include "services/outputfile.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The move of a package's .tga files into the game's data/bats folder. Every file is first
// copied beside its target and put on the disk (prepare); the copies take their names only when
// all of them are complete and the GOB file is written (commit), so that a failure on the way
// leaves the bats folder's files as they were.
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
    ~TgaMove();

    // The files of the bats folder that the move replaces.
    const QStringList &replaced() const { return m_replaced; }

    // Creates the bats folder when it is missing and copies every file beside its target.
    void prepare();

    // Gives every copy its name, checks it against its source and removes the source. Returns
    // Moved, NoFiles or NoFolder.
    int commit();

private:
    QString m_folder;
    QString m_bats;
    QStringList m_names;
    QStringList m_replaced;
    std::vector<std::unique_ptr<OutputFile>> m_copies;
};
