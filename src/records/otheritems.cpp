#include "otheritems.h"

#include "catalogue.h"
#include "catalogueentry.h"

#include "services/numberconversion.h"

qint32 OtherItem::position() const
{
    return Convert::toInt32(positionText);
}

qint32 OtherItem::sizeBytes() const
{
    return CatalogueEntry::kilobytesToBytes(kilobytesText);
}

QList<OtherItem> parseOtherItems(const QString &line)
{
    const QStringList fields = Catalogue::splitFields(line);
    QList<OtherItem> items;
    for (qsizetype i = 0; i + 2 < fields.size(); i += 3)
        items << OtherItem {fields.at(i), fields.at(i + 1), fields.at(i + 2)};
    return items;
}
