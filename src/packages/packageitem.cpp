#include "packageitem.h"

#include "records/catalogueentry.h"
#include "records/imagerecord.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"
#include "services/numberconversion.h"

#include <QStringList>

namespace {

Failure refused(const QString &message)
{
    return Failure(FailureNumber::TypeMismatch, message);
}

// The whole number of a text, or nothing when it is no number or lies outside 32 bits.
std::optional<qint32> wholeNumber(const QString &text)
{
    try {
        return Convert::toInt32(text);
    } catch (const Failure &) {
        return std::nullopt;
    }
}

} // namespace

PackageItem PackageItem::fromFields(const QString &description, const QString &position,
                                    const QString &size, const QString &text)
{
    if (description.trimmed().isEmpty())
        throw refused(Messages::itemNoDescription(text));
    const std::optional<qint32> p = wholeNumber(position);
    if (!p || *p < PositionShift)
        throw refused(Messages::itemBadPosition(text, position));
    const std::optional<qint32> s = wholeNumber(size);
    if (!s || *s < 0)
        throw refused(Messages::itemBadSize(text, size));
    return {description, qint32(*p - PositionShift), *s};
}

PackageItem PackageItem::fromCommand(const QString &command)
{
    return fromSplit(command, u'|', {0, 1, 2}, QStringLiteral("description|position|size"));
}

PackageItem PackageItem::fromTypedLine(const QString &line)
{
    return fromSplit(line, u',', {2, 0, 1}, QStringLiteral("Offset,Size(bytes),Description"));
}

PackageItem PackageItem::fromSplit(const QString &text, QChar separator,
                                   const std::array<int, 3> &order, const QString &layout)
{
    const QStringList fields = text.split(separator);
    if (fields.size() < 3)
        throw refused(Messages::itemNeedsThreeFields(text, layout));
    return fromFields(fields.at(order[0]), fields.at(order[1]), fields.at(order[2]), text);
}

PackageItem PackageItem::fromSubFile(const CatalogueEntry &entry, int i, const QString &gobPath)
{
    const SubFile &sub = entry.subFile(i);
    PackageItem item;
    item.description = entry.recordName(i);
    if (entry.isWholeFile()) {
        item.offset = qint32(sub.offset - PositionShift); // offsets count from 1: no overflow
        item.size = sub.areaSize;
    } else {
        auto gob = FileAccess::openForReading(gobPath);
        const ImageRecord::Size size =
            ImageRecord::readHeader(*gob, ImageRecord::recordStart(sub.offset));
        gob->close();
        item.offset = sub.offset;
        item.size = qint32(size.pixels() + ImageRecord::PaletteBytes);
    }
    return item;
}
