#pragma once

#include <QList>

#include <algorithm>

// A run of bytes of the GOB file: length bytes from the 0-based byte start.
struct GobRegion
{
    qint64 start = 0;
    qint64 length = 0;

    qint64 end() const { return start + length; }
    bool overlaps(const GobRegion &other) const
    {
        return start < other.end() && other.start < end();
    }
    bool contains(qint64 from, qint64 count) const
    {
        return from >= start && from + count <= end();
    }
    bool operator==(const GobRegion &) const = default;

    // The regions sorted by start, with overlapping and touching ones joined and empty ones
    // left out: the form a change keeps them in.
    static QList<GobRegion> joined(QList<GobRegion> regions)
    {
        std::sort(regions.begin(), regions.end(),
                  [](const GobRegion &a, const GobRegion &b) { return a.start < b.start; });
        QList<GobRegion> out;
        for (const GobRegion &r : regions) {
            if (r.length <= 0)
                continue;
            if (!out.isEmpty() && r.start <= out.last().end())
                out.last().length = std::max(out.last().end(), r.end()) - out.last().start;
            else
                out.append(r);
        }
        return out;
    }
};
