#include "recordexport.h"

#include "recordpicture.h"

#include "records/imagerecord.h"
#include "services/fileaccess.h"

namespace RecordExport {

Exported exportOf(QFile &gob, const CatalogueEntry &entry, int subFile)
{
    const SubFile &sub = entry.subFile(subFile);
    if (!entry.isWholeFile())
        return {RecordPicture::read(gob, sub.offset).png(), entry.kind(), QStringLiteral("png")};

    const qint64 start = ImageRecord::recordStart(sub.offset);
    ImageRecord::requireInsideFile(gob, sub.offset, start, sub.areaSize);
    QByteArray area = FileAccess::readAt(gob, start, sub.areaSize);
    qsizetype n = area.size();
    while (n > 0 && area[n - 1] == '\0')
        --n;
    area.truncate(n);
    return {area, entry.kind(), entry.typeName().toLower()};
}

} // namespace RecordExport
