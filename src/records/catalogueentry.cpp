#include "catalogueentry.h"

#include "catalogue.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"
#include "services/numberconversion.h"

namespace {

Failure badLine(const QString &message)
{
    return Failure(FailureNumber::BadCatalogue, message);
}

} // namespace

qint32 CatalogueEntry::kilobytesToBytes(const QString &kilobytes)
{
    return Convert::roundToInt32(Convert::toNumber(kilobytes) * 1024.0);
}

CatalogueEntry CatalogueEntry::parse(const QStringList &fields, int lineNumber,
                                     const QString &cataloguePath)
{
    CatalogueEntry entry;
    entry.m_fields = fields;
    entry.m_lineNumber = lineNumber;
    entry.m_description = displayTextOf(fields, lineNumber, cataloguePath);
    const auto line = [&] {
        return Messages::catalogueLine(FileAccess::displayPath(cataloguePath), lineNumber);
    };
    entry.m_wholeFile = fields.at(0).startsWith(u'$');
    if (entry.m_wholeFile)
        entry.m_typeName = fields.at(0).mid(1);

    const int countField = entry.m_wholeFile ? 2 : 1;
    const int stride = entry.m_wholeFile ? 3 : 2;
    const QString countText = countField < fields.size() ? fields.at(countField) : QString();
    qint16 count = 0;
    try {
        count = Convert::toInt16(countText);
    } catch (const Failure &) {
        throw badLine(Messages::catalogueBadCount(line(), countText));
    }
    if (count < 1)
        throw badLine(Messages::catalogueBadCount(line(), countText));
    const int needed = stride + stride * count;
    if (fields.size() < needed)
        throw badLine(Messages::catalogueTooFewFields(line(), count, needed, int(fields.size())));

    for (int i = 1; i <= count; ++i) {
        SubFile sub;
        const QString &offsetText = fields.at(stride * i);
        try {
            sub.offset = Convert::toInt32(offsetText);
        } catch (const Failure &) {
            throw badLine(Messages::catalogueBadOffset(line(), i, offsetText));
        }
        if (sub.offset < 1)
            throw badLine(Messages::catalogueBadOffset(line(), i, offsetText));
        sub.caption = fields.at(stride * i + 1);
        if (entry.m_wholeFile) {
            const QString &sizeText = fields.at(stride * i + 2);
            try {
                sub.areaSize = kilobytesToBytes(sizeText);
            } catch (const Failure &) {
                throw badLine(Messages::catalogueBadSize(line(), i, sizeText));
            }
            if (sub.areaSize < 0)
                throw badLine(Messages::catalogueBadSize(line(), i, sizeText));
        }
        entry.m_subFiles << sub;
    }
    return entry;
}
