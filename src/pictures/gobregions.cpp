#include "gobregions.h"

#include "records/gobwriter.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <algorithm>

namespace GobRegions {

void write(const QString &gobPath, const QList<GobRegion> &regions,
           const std::function<void()> &pendingEvents)
{
    QList<const GobRegion *> sorted;
    for (const GobRegion &region : regions)
        sorted << &region;
    std::sort(sorted.begin(), sorted.end(),
              [](const GobRegion *a, const GobRegion *b) { return a->start < b->start; });
    for (qsizetype i = 1; i < sorted.size(); ++i)
        if (sorted[i - 1]->start + sorted[i - 1]->bytes.size() > sorted[i]->start)
            throw Failure(FailureNumber::BadRecord,
                          Messages::regionsOverlap(FileAccess::displayPath(gobPath),
                                                   sorted[i - 1]->start + 1, sorted[i]->start + 1));

    GobWriter gob(gobPath);
    for (const GobRegion &region : regions)
        gob.requireRegion(region.start, region.bytes.size());
    if (pendingEvents)
        pendingEvents();
    for (const GobRegion &region : regions)
        gob.reserve(region.start, region.bytes.size());
    for (const GobRegion &region : regions)
        gob.write(region.start, region.bytes);
    gob.commit();
}

} // namespace GobRegions
