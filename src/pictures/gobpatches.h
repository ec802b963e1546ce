#pragma once

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

// Writing pictures into the GOB file: every patch of one change is known and checked to lie
// inside the file before the first byte is written, then all of them go through one GobWriter
// and are put on the disk together.
namespace GobPatches {

// Throws before touching a byte when a patch reaches past the end of the file or two patches
// overlap. pendingEvents runs once before the first write.
void write(const QString &gobPath, const QList<GobPatch> &patches,
           const std::function<void()> &pendingEvents = {});

} // namespace GobPatches
