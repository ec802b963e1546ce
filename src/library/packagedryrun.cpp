#include "packagedryrun.h"

#include "changetimeline.h"

#include "packages/packagefiles.h"
#include "packages/packageimport.h"
#include "packages/packagestatus.h"
#include "services/fileaccess.h"

namespace PackageDryRun {

QString nameOf(State state)
{
    switch (state) {
    case State::New:
        return QStringLiteral("new");
    case State::Same:
        return QStringLiteral("same");
    case State::Conflict:
        break;
    }
    return QStringLiteral("conflict");
}

QList<Item> of(const PackageContents &contents, const QStringList &descriptions,
               const QString &gobPath)
{
    const QList<bool> inPlace = PackageStatus::inPlace(contents, descriptions, gobPath);
    const ChangeTimeline timeline(gobPath);
    QList<Item> items;
    auto install = FileAccess::openForReading(contents.installData);
    qint64 dataOffset = 0;
    PackageFiles::forEachRecord(*install, [&](qint64 k, const PackageFiles::InstallRecord &r) {
        const QString description = PackageFiles::unquoted(descriptions.value(k - 1));
        Item item {k, description, {r.regionStart(), r.size}, dataOffset, State::New, {}};
        dataOffset += r.size;
        if (inPlace.value(k - 1)) {
            item.state = State::Same;
        } else {
            const QList<const ChangeFile *> writers = timeline.writersOf(item.region);
            for (qsizetype i = writers.size() - 1; i >= 0; --i)
                if (timeline.stands(*writers[i])) {
                    item.state = State::Conflict;
                    item.conflict = writers[i]->shown();
                    break;
                }
        }
        items.append(item);
    });
    return items;
}

QString placeOf(const Item &item)
{
    if (!item.description.isEmpty())
        return item.description;
    return QStringLiteral("bytes %1 to %2").arg(item.region.start).arg(item.region.end() - 1);
}

} // namespace PackageDryRun
