#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// One stretch of the GOB file and the bytes it is to hold.
struct GobRegion
{
    qint64 start = 0; // 0-based
    QByteArray bytes;
};

// Writing pictures into the GOB file: every region of one change is known and checked to lie
// inside the file before the first byte is written, then all of them go through one GobWriter
// and are put on the disk together.
namespace GobRegions {

// Throws before touching a byte when a region reaches past the end of the file or two regions
// overlap. pendingEvents runs once before the first write.
void write(const QString &gobPath, const QList<GobRegion> &regions,
           const std::function<void()> &pendingEvents = {});

} // namespace GobRegions
