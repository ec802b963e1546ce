#include "pngimport.h"

#include "history/gobwriter.h"
#include "imagerecord.h"

#include "services/blockcopy.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

namespace PngImport {

Plan check(const QString &gobPath, qint32 catalogueOffset, qint32 areaSize, const QString &filePath)
{
    Plan plan {gobPath, filePath, ImageRecord::recordStart(catalogueOffset), areaSize, 0, {}, {}};
    plan.length = FileAccess::openForReading(filePath)->size();
    // A file longer than the area would overwrite whatever follows it.
    if (plan.length > plan.areaSize)
        throw Failure(FailureNumber::TooLong, Messages::fileSizeTooLong());
    auto gob = FileAccess::openForReading(gobPath);
    ImageRecord::requireInsideFile(*gob, catalogueOffset, plan.areaStart, plan.areaSize);
    return plan;
}

void write(const Plan &plan, const std::function<void()> &pendingEvents)
{
    auto file = FileAccess::openForReading(plan.filePath);
    GobChange change(plan.gobPath, ChangeKind::Png, plan.description);
    change.addRegion(plan.areaStart, plan.areaSize);
    GobWriter &gob = change.begin(plan.withoutUndo);
    if (pendingEvents)
        pendingEvents();
    gob.copyFrom(*file, 0, plan.areaStart, plan.length, BlockCopy::RecordBlock);
    gob.fillZeros(plan.areaStart + plan.length, plan.areaSize - plan.length,
                  BlockCopy::RecordBlock);
    change.commit();
}

} // namespace PngImport
