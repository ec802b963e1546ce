#include "packagestatus.h"

#include "history/gobhistory.h"
#include "history/overlay.h"

#include "packagefiles.h"
#include "packageimport.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <algorithm>
#include <numeric>

namespace PackageStatus {

// A record's region of the GOB file and where its bytes lie in file.data.
struct Record
{
    GobRegion region;
    qint64 dataOffset = 0;
    QList<qsizetype> laterOverlapping; // records after this one that write into its region
};

namespace {

// Fills in each record's later overlapping records in one sweep over the records sorted by
// start: a package of thousands of records compares neighbours, not every pair.
void findOverlaps(QList<Record> &records)
{
    QList<qsizetype> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return records[a].region.start < records[b].region.start;
    });
    for (qsizetype i = 0; i < order.size(); ++i) {
        const GobRegion &region = records[order[i]].region;
        for (qsizetype n = i + 1; n < order.size() && records[order[n]].region.start < region.end();
             ++n) {
            const qsizetype a = std::min(order[i], order[n]), b = std::max(order[i], order[n]);
            if (records[a].region.overlaps(records[b].region))
                records[a].laterOverlapping.append(b);
        }
    }
    for (Record &record : records)
        std::sort(record.laterOverlapping.begin(), record.laterOverlapping.end());
}

QList<Record> recordsOf(const PackageContents &contents, const QStringList &descriptions,
                        const QString &gobPath)
{
    auto gob = FileAccess::openForReading(gobPath);
    auto install = FileAccess::openForReading(contents.installData);
    QList<Record> records;
    qint64 offset = 0;
    const qint64 gobSize = gob->size();
    PackageFiles::forEachRecord(*install, [&](qint64 k, const PackageFiles::InstallRecord &r) {
        // The record is named only when it fails: thousands of records are read at once.
        if (!PackageFiles::regionProblem(r, gobSize, {}, gobPath).isEmpty())
            throw Failure(FailureNumber::BadRecord,
                          PackageFiles::regionProblem(
                              r, gobSize,
                              Messages::packageRecord(int(k), descriptions.value(k - 1)), gobPath));
        records.append({{r.regionStart(), r.size}, offset, {}});
        offset += r.size;
    });
    const qint64 length = FileAccess::openForReading(contents.fileData)->size();
    if (length < offset)
        throw Failure(FailureNumber::BadRecord,
                      Messages::fileDataTooShort(PackageFiles::fileDataName(), length, offset));
    findOverlaps(records);
    return records;
}

// Whether the GOB file holds what the package leaves in record k's region.
bool applied(const QList<Record> &records, qsizetype k, QFile &gob, QFile &data,
             const QString &dataPath)
{
    const GobRegion &region = records[k].region;
    Overlay expected(data, records[k].dataOffset - region.start);
    for (qsizetype j : records[k].laterOverlapping)
        expected.addLayer(
            dataPath, {{records[j].region.start, records[j].region.length, records[j].dataOffset}});
    return Overlay::same(Overlay(gob), expected, region);
}

bool touches(const ChangeFile &change, const QList<Record> &records)
{
    for (const GobRegion &region : change.header().regions)
        for (const Record &record : records)
            if (region.overlaps(record.region))
                return true;
    return false;
}

} // namespace

QString nameOf(State state)
{
    switch (state) {
    case State::Applied:
        return QStringLiteral("applied");
    case State::Original:
        return QStringLiteral("original");
    case State::Other:
        break;
    }
    return QStringLiteral("other");
}

QList<Item> of(const PackageContents &contents, const QStringList &descriptions,
               const QString &gobPath)
{
    const QList<Record> records = recordsOf(contents, descriptions, gobPath);
    auto gob = FileAccess::openForReading(gobPath);
    auto data = FileAccess::openForReading(contents.fileData);

    const GobHistory history(gobPath);
    const QList<ChangeFile> changes = history.changes();
    Overlay original(*gob);
    for (qsizetype i = changes.size() - 1; i >= 0; --i) {
        const ChangeFile &change = changes[i];
        if (change.state() != ChangeState::Done || !touches(change, records))
            continue;
        change.verify();
        QList<Overlay::Piece> pieces;
        for (const OldBytes &old : change.oldBytes())
            pieces.append({old.start, old.length, old.fileOffset});
        original.addLayer(change.path(), pieces);
    }

    QList<Item> items;
    for (qsizetype k = 0; k < records.size(); ++k) {
        State state = State::Other;
        if (applied(records, k, *gob, *data, contents.fileData))
            state = State::Applied;
        else if (Overlay::same(Overlay(*gob), original, records[k].region))
            state = State::Original;
        items.append({k + 1, state, descriptions.value(k)});
    }
    return items;
}

QList<bool> inPlace(const PackageContents &contents, const QStringList &descriptions,
                    const QString &gobPath)
{
    const InPlace check(contents, descriptions, gobPath);
    QList<bool> placed;
    for (qsizetype k = 0; k < check.size(); ++k)
        placed.append(check.at(k));
    return placed;
}

struct InPlace::Files
{
    QList<Record> records;
    std::unique_ptr<QFile> gob;
    std::unique_ptr<QFile> data;
    QString dataPath;
};

InPlace::InPlace(const PackageContents &contents, const QStringList &descriptions,
                 const QString &gobPath)
    : m_files(new Files {recordsOf(contents, descriptions, gobPath),
                         FileAccess::openForReading(gobPath),
                         FileAccess::openForReading(contents.fileData), contents.fileData})
{
}

InPlace::~InPlace() = default;

qsizetype InPlace::size() const
{
    return m_files->records.size();
}

bool InPlace::at(qsizetype k) const
{
    return applied(m_files->records, k, *m_files->gob, *m_files->data, m_files->dataPath);
}

QString replaceNote(const PackageContents &contents, const QStringList &descriptions,
                    const QString &gobPath)
{
    const QList<Record> records = recordsOf(contents, descriptions, gobPath);
    auto gob = FileAccess::openForReading(gobPath);
    auto data = FileAccess::openForReading(contents.fileData);
    bool all = !records.isEmpty();
    for (qsizetype k = 0; all && k < records.size(); ++k)
        all = applied(records, k, *gob, *data, contents.fileData);

    QStringList overwritten;
    const QList<ChangeFile> changes = GobHistory(gobPath).changes();
    for (qsizetype i = changes.size() - 1; i >= 0; --i) {
        const ChangeFile &change = changes[i];
        if (change.state() == ChangeState::Done && touches(change, records))
            overwritten << change.shown();
    }
    return Messages::packageHistoryNote(all, overwritten);
}

} // namespace PackageStatus
