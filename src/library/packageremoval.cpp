#include "packageremoval.h"

#include "history/gobchange.h"
#include "history/gobwriter.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QHash>
#include <QThread>

#include <algorithm>
#include <set>

namespace {

constexpr qint64 WriteBlock = qint64(1) << 16;
// Tests set this to stop between blocks, so that a child process can be killed half way.
constexpr char BlockPauseVariable[] = "KESTRIX_TEST_RECORD_PAUSE_MS";

// What a removal writes: runs of the package's regions and, for each source change, the pieces
// of its old bytes that go there; the package's files that go back as they were before it.
struct Plan
{
    QList<GobRegion> writes;
    QHash<QString, QList<Overlay::Piece>> sources;
    QList<const ChangeFile *> read; // the journals the bytes come from
    QList<std::pair<QString, std::optional<QByteArray>>> files; // none: there was no file
};

Failure refusal(const QString &message)
{
    return Failure(FailureNumber::FileAccess, message);
}

// Of the changes that wrote a place (oldest first, the package among them), the one whose old
// bytes are what lay there before the package: the one after the standing change before the
// package (that change's bytes were what it found), or after a removal of a package the history
// limit dropped (what that removal left), or else the oldest. Nullptr when a later standing change
// has written over the package's bytes there: they stay.
const ChangeFile *sourceBefore(const ChangeTimeline &timeline,
                               const QList<const ChangeFile *> &writers, const ChangeFile &package)
{
    for (const ChangeFile *writer : writers)
        if (writer->state() == ChangeState::Unrecorded)
            throw refusal(Messages::removeBlocked(writer->shown()));
    const auto newest = std::find_if(writers.rbegin(), writers.rend(),
                                     [&](auto *w) { return timeline.stands(*w); });
    if (newest == writers.rend() || (*newest)->sequence() != package.sequence())
        return nullptr;
    const auto removesDropped = [&](const ChangeFile &change) {
        const qint64 removed = ChangeTimeline::removedNumber(change);
        return removed > 0 && !timeline.find(removed);
    };
    qsizetype from = writers.indexOf(*newest);
    while (from > 0 && !timeline.stands(*writers[from - 1])) {
        if (removesDropped(*writers[from - 1]))
            break;
        --from;
    }
    // Without a standing change before it, the source's old bytes may still hold those of a
    // dropped package that a later removal took out: what lay before that package is lost.
    if (from == 0 || !timeline.stands(*writers[from - 1]))
        for (const ChangeFile *writer : writers)
            if (writer->sequence() > writers[from]->sequence() && removesDropped(*writer))
                throw refusal(Messages::removeLost(package.shown(), writer->shown()));
    return writers[from];
}

// The runs of region inside which the same changes wrote every byte.
QList<GobRegion> runsOf(const ChangeTimeline &timeline, const GobRegion &region)
{
    std::set<qint64> cuts {region.start, region.end()};
    for (const ChangeFile *writer : timeline.writersOf(region))
        for (const GobRegion &r : writer->header().regions)
            for (const qint64 at : {r.start, r.end()})
                if (at > region.start && at < region.end())
                    cuts.insert(at);
    QList<GobRegion> runs;
    for (auto at = cuts.begin(); std::next(at) != cuts.end(); ++at)
        runs.append({*at, *std::next(at) - *at});
    return runs;
}

Plan planOf(const ChangeTimeline &timeline, const ChangeFile &package)
{
    Plan plan;
    for (const GobRegion &region : package.header().regions) {
        for (const GobRegion &run : runsOf(timeline, region)) {
            const ChangeFile *source = sourceBefore(timeline, timeline.writersOf(run), package);
            if (!source)
                continue;
            plan.sources[source->path()] += ChangeTimeline::oldBytesIn(*source, run);
            if (!plan.read.contains(source))
                plan.read.append(source);
            if (!plan.writes.isEmpty() && plan.writes.last().end() == run.start)
                plan.writes.last().length += run.length;
            else
                plan.writes.append(run);
        }
    }
    for (const ReplacedFile &file : package.header().files) {
        const ChangeFile *source = sourceBefore(timeline, timeline.replacersOf(file.path), package);
        if (!source)
            continue;
        const QList<ReplacedFile> &found = source->header().files;
        const auto at = std::find_if(found.begin(), found.end(),
                                     [&](const ReplacedFile &f) { return f.path == file.path; });
        plan.files.append({file.path, source->fileBytes(at - found.begin(), false)});
    }
    return plan;
}

// Throws unless the GOB file is the one the package was applied to and holds, in every region
// of the package, what the history says the package and the changes after it left there.
void checkGob(const ChangeTimeline &timeline, const ChangeFile &package, QFile &gob,
              const QString &gobPath)
{
    const FileIdentity::Stamp &made = package.header().gob;
    const FileIdentity::Stamp now = FileIdentity::stampOf(gob);
    if (made.inode != 0 && (made.device != now.device || made.inode != now.inode))
        throw refusal(Messages::gobReplaced(FileAccess::displayPath(gobPath), package.shown()));
    package.verify();
    const QList<GobRegion> &regions = package.header().regions;
    for (qsizetype r = 0; r < regions.size(); ++r) {
        Overlay left(gob);
        if (regions[r].end() > gob.size()
            || !timeline.layAfter(left, package.sequence(), regions[r])
            || left.hash(regions[r]) != package.hashes().value(r))
            throw refusal(Messages::removeRefused(FileAccess::displayPath(gobPath),
                                                  regions[r].start, regions[r].end(),
                                                  package.shown()));
    }
    for (const ChangeFile &change : timeline.all())
        if (change.sequence() > package.sequence() && change.state() == ChangeState::Done)
            change.verify();
}

// The numbers and states of the changes, to see that nobody changed the history meanwhile.
QList<std::pair<qint64, ChangeState>> stateOf(const QList<ChangeFile> &changes)
{
    QList<std::pair<qint64, ChangeState>> out;
    for (const ChangeFile &change : changes)
        out.append({change.sequence(), change.state()});
    return out;
}

} // namespace

namespace PackageRemoval {

const ChangeFile &choose(const ChangeTimeline &timeline, const QString &what,
                         const QString &gobPath)
{
    const QString gobShown = FileAccess::displayPath(gobPath);
    bool isNumber = false;
    const qint64 number = what.trimmed().toLongLong(&isNumber);
    const ChangeFile *found = nullptr;
    if (isNumber) {
        found = timeline.find(number);
        if (!found && number > 0 && number < timeline.oldestKept())
            throw refusal(Messages::removeDropped(number, timeline.oldestKept(), gobShown));
    } else {
        for (const ChangeFile &change : timeline.all())
            if (change.header().kind == ChangeKind::Package && change.header().description == what
                && timeline.stands(change))
                found = &change;
    }
    if (!found)
        throw refusal(Messages::removeNotFound(what, gobShown));
    if (found->header().kind != ChangeKind::Package)
        throw refusal(Messages::removeNotPackage(found->shown()));
    if (timeline.isRemoved(*found)) {
        QString by;
        for (const ChangeFile &change : timeline.all())
            if (change.state() == ChangeState::Done
                && ChangeTimeline::removedNumber(change) == found->sequence())
                by = change.shown();
        throw refusal(Messages::removeAlreadyRemoved(found->shown(), by));
    }
    if (found->state() != ChangeState::Done)
        throw refusal(Messages::removeNotApplied(found->shown(), nameOf(found->state())));
    return *found;
}

Outcome remove(const QString &gobPath, const QString &what,
               const std::function<void()> &pendingEvents)
{
    const ChangeTimeline timeline(gobPath);
    const ChangeFile &package = choose(timeline, what, gobPath);
    const Plan plan = planOf(timeline, package);
    {
        auto gob = FileAccess::openForReading(gobPath);
        checkGob(timeline, package, *gob, gobPath);
    }
    for (const ChangeFile *source : plan.read)
        source->verify();

    // The removal journals every byte of the package's regions, so that undoing it puts the
    // package back whole.
    GobChange change(gobPath, ChangeKind::Remove, ChangeTimeline::removalDescription(package));
    for (const GobRegion &region : package.header().regions)
        change.addRegion(region.start, region.length);
    for (const auto &[path, bytes] : plan.files)
        change.addFile(path, bytes);
    GobWriter &writer = change.begin();
    // The plan was made before the lock was taken.
    QList<ChangeFile> now = ChangeTimeline(gobPath).all();
    now.removeLast(); // this removal
    if (stateOf(now) != stateOf(timeline.all()))
        throw refusal(Messages::historyChangedMeanwhile());

    auto reading = FileAccess::openForReading(gobPath);
    Overlay before(*reading);
    for (auto source = plan.sources.begin(); source != plan.sources.end(); ++source) {
        QList<Overlay::Piece> pieces = source.value();
        std::sort(pieces.begin(), pieces.end(),
                  [](const auto &a, const auto &b) { return a.start < b.start; });
        before.addLayer(source.key(), pieces);
    }
    Outcome outcome {package, 0};
    QByteArray block;
    QByteArray current;
    for (const GobRegion &run : plan.writes) {
        for (qint64 done = 0; done < run.length; done += WriteBlock) {
            const qint64 n = std::min(WriteBlock, run.length - done);
            block.resize(n);
            before.read(run.start + done, block.data(), n);
            current = FileAccess::readAt(*reading, run.start + done, n);
            if (current == block)
                continue;
            for (qint64 i = 0; i < n; ++i)
                outcome.bytesPutBack += current[i] != block[i];
            writer.write(run.start + done, block);
            if (pendingEvents)
                pendingEvents();
            if (const int pause = qEnvironmentVariableIntValue(BlockPauseVariable); pause > 0)
                QThread::msleep(ulong(pause));
        }
    }
    change.commit();
    return outcome;
}

} // namespace PackageRemoval
