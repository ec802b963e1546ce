#pragma once

#include "history/gobchange.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// A run of bytes for the GOB file: where it goes and what it holds.
struct GobPatch
{
    qint64 start = 0; // 0-based
    QByteArray bytes;
};

// Writing pictures into the GOB file as one change of its history (GobChange): every patch is
// known and checked before the first byte is written, and all of them are undone as one.
namespace GobPatches {

// What the history calls the change and what to do when it cannot keep it.
struct Change
{
    ChangeKind kind = ChangeKind::Picture;
    QString description; // "Kits/Home/Shirt", the folder
    WithoutUndo withoutUndo;
};

// Throws before touching a byte when two patches overlap, a patch reaches past the end of the
// file or the history refuses the change. pendingEvents runs once before the first write.
void write(const QString &gobPath, const Change &change, const QList<GobPatch> &patches,
           const std::function<void()> &pendingEvents = {});

} // namespace GobPatches
