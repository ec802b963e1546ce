#include "packagedryrun.h"

#include "changetimeline.h"

#include "packages/packagefiles.h"
#include "packages/packageimport.h"
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
    const Judge judge(contents, descriptions, gobPath);
    QList<Item> items = listOf(contents, descriptions);
    for (Item &item : items)
        judge.settle(item);
    return items;
}

QList<Item> listOf(const PackageContents &contents, const QStringList &descriptions)
{
    QList<Item> items;
    auto install = FileAccess::openForReading(contents.installData);
    items.reserve(install->size() / PackageFiles::InstallRecordBytes);
    qint64 dataOffset = 0;
    PackageFiles::forEachRecord(*install, [&](qint64 k, const PackageFiles::InstallRecord &r) {
        const QString description = PackageFiles::unquoted(descriptions.value(k - 1));
        items.append({k, description, {r.regionStart(), r.size}, dataOffset, State::New, {}});
        dataOffset += r.size;
    });
    return items;
}

Judge::Judge(const PackageContents &contents, const QStringList &descriptions,
             const QString &gobPath)
    : m_inPlace(contents, descriptions, gobPath)
    , m_timeline(gobPath)
{
}

void Judge::settle(Item &item) const
{
    if (m_inPlace.at(item.number - 1)) {
        item.state = State::Same;
        return;
    }
    const QList<const ChangeFile *> writers = m_timeline.writersOf(item.region);
    for (qsizetype i = writers.size() - 1; i >= 0; --i)
        if (m_timeline.stands(*writers[i])) {
            item.state = State::Conflict;
            item.conflict = writers[i]->shown();
            return;
        }
}

QString placeOf(const Item &item)
{
    if (!item.description.isEmpty())
        return item.description;
    return QStringLiteral("bytes %1 to %2").arg(item.region.start).arg(item.region.end() - 1);
}

} // namespace PackageDryRun
