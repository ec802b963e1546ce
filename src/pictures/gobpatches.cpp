#include "gobpatches.h"

#include "history/gobwriter.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <algorithm>

namespace GobPatches {

void write(const QString &gobPath, const Change &change, const QList<GobPatch> &patches,
           const std::function<void()> &pendingEvents)
{
    QList<const GobPatch *> sorted;
    for (const GobPatch &patch : patches)
        sorted << &patch;
    std::sort(sorted.begin(), sorted.end(),
              [](const GobPatch *a, const GobPatch *b) { return a->start < b->start; });
    for (qsizetype i = 1; i < sorted.size(); ++i)
        if (sorted[i - 1]->start + sorted[i - 1]->bytes.size() > sorted[i]->start)
            throw Failure(FailureNumber::BadRecord,
                          Messages::regionsOverlap(FileAccess::displayPath(gobPath),
                                                   sorted[i - 1]->start + 1, sorted[i]->start + 1));

    GobChange gobChange(gobPath, change.kind, change.description);
    for (const GobPatch &patch : patches)
        gobChange.addRegion(patch.start, patch.bytes.size());
    GobWriter &gob = gobChange.begin(change.withoutUndo);
    if (pendingEvents)
        pendingEvents();
    for (const GobPatch &patch : patches)
        gob.write(patch.start, patch.bytes);
    gobChange.commit();
}

} // namespace GobPatches
