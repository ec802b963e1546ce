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

qint32 CatalogueEntry::kilobytesToBytes(QStringView kilobytes)
{
    return Convert::roundToInt32(Convert::toNumber(kilobytes) * 1024.0);
}

QString CatalogueEntry::kind() const
{
    return m_wholeFile ? QStringLiteral("file:") + m_typeName : QStringLiteral("bitmap");
}

CatalogueEntry CatalogueEntry::parse(QStringView line, int lineNumber, const QString &cataloguePath,
                                     SubFiles subFiles)
{
    // The fields are views into the line: a listing parses every line of a long catalogue.
    const Catalogue::Fields fields = Catalogue::fieldsOf(line);
    CatalogueEntry entry;
    entry.m_lineNumber = lineNumber;
    entry.m_description = displayTextOf(fields, lineNumber, cataloguePath);
    const auto where = [&] {
        return Messages::catalogueLine(FileAccess::displayPath(cataloguePath), lineNumber);
    };
    entry.m_wholeFile = fields[0].startsWith(u'$');
    if (entry.m_wholeFile)
        entry.m_typeName = fields[0].mid(1).toString();

    const int countField = entry.m_wholeFile ? 2 : 1;
    const int stride = entry.m_wholeFile ? 3 : 2;
    const QStringView countText = countField < fields.size() ? fields[countField] : QStringView();
    qint16 count = 0;
    try {
        count = Convert::toInt16(countText);
    } catch (const Failure &) {
        throw badLine(Messages::catalogueBadCount(where(), countText.toString()));
    }
    if (count < 1)
        throw badLine(Messages::catalogueBadCount(where(), countText.toString()));
    const int needed = stride + stride * count;
    if (fields.size() < needed)
        throw badLine(Messages::catalogueTooFewFields(where(), count, needed, int(fields.size())));

    entry.m_count = count;
    const bool kept = subFiles == SubFiles::Kept;
    if (kept)
        entry.m_subFiles.reserve(count);
    for (int i = 1; i <= count; ++i) {
        SubFile sub;
        const QStringView offsetText = fields[stride * i];
        try {
            sub.offset = Convert::toInt32(offsetText);
        } catch (const Failure &) {
            throw badLine(Messages::catalogueBadOffset(where(), i, offsetText.toString()));
        }
        if (sub.offset < 1)
            throw badLine(Messages::catalogueBadOffset(where(), i, offsetText.toString()));
        if (kept)
            sub.caption = fields[stride * i + 1].toString();
        if (entry.m_wholeFile) {
            const QStringView sizeText = fields[stride * i + 2];
            try {
                sub.areaSize = kilobytesToBytes(sizeText);
            } catch (const Failure &) {
                throw badLine(Messages::catalogueBadSize(where(), i, sizeText.toString()));
            }
            if (sub.areaSize < 0)
                throw badLine(Messages::catalogueBadSize(where(), i, sizeText.toString()));
        }
        if (kept)
            entry.m_subFiles << sub;
    }
    return entry;
}
