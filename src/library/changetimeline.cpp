#include "changetimeline.h"

#include "history/gobhistory.h"

#include <algorithm>

namespace {

bool overlapsAny(const ChangeFile &change, const GobRegion &region)
{
    const QList<GobRegion> &regions = change.header().regions;
    return std::any_of(regions.begin(), regions.end(),
                       [&](const GobRegion &r) { return r.overlaps(region); });
}

bool isWriter(const ChangeFile &change)
{
    return change.state() == ChangeState::Done || change.state() == ChangeState::Unrecorded;
}

} // namespace

ChangeTimeline::ChangeTimeline(const QString &gobPath)
    : m_all(GobHistory(gobPath).changes())
{
    for (const ChangeFile &change : std::as_const(m_all))
        if (change.state() == ChangeState::Done && removedNumber(change) > 0)
            m_removed.insert(removedNumber(change));
}

QString ChangeTimeline::removalDescription(const ChangeFile &removed)
{
    return QString::number(removed.sequence()) + u' ' + removed.header().description;
}

qint64 ChangeTimeline::removedNumber(const ChangeFile &change)
{
    if (change.header().kind != ChangeKind::Remove)
        return 0;
    return change.header().description.section(u' ', 0, 0).toLongLong();
}

const ChangeFile *ChangeTimeline::find(qint64 number) const
{
    for (const ChangeFile &change : m_all)
        if (change.sequence() == number)
            return &change;
    return nullptr;
}

bool ChangeTimeline::stands(const ChangeFile &change) const
{
    return isWriter(change) && removedNumber(change) == 0 && !isRemoved(change);
}

bool ChangeTimeline::layAfter(Overlay &overlay, qint64 number, const GobRegion &region) const
{
    for (qsizetype i = m_all.size() - 1; i >= 0 && m_all[i].sequence() > number; --i) {
        const ChangeFile &change = m_all[i];
        if (!isWriter(change) || !overlapsAny(change, region))
            continue;
        if (change.state() == ChangeState::Unrecorded)
            return false;
        overlay.addLayer(change.path(), oldBytesIn(change, region));
    }
    return true;
}

QList<const ChangeFile *> ChangeTimeline::writersOf(const GobRegion &region) const
{
    QList<const ChangeFile *> writers;
    for (const ChangeFile &change : m_all)
        if (isWriter(change) && overlapsAny(change, region))
            writers.append(&change);
    return writers;
}

QList<const ChangeFile *> ChangeTimeline::replacersOf(const QString &path) const
{
    QList<const ChangeFile *> replacers;
    for (const ChangeFile &change : m_all) {
        const QList<ReplacedFile> &files = change.header().files;
        if (isWriter(change) && std::any_of(files.begin(), files.end(), [&](const auto &file) {
                return file.path == path;
            }))
            replacers.append(&change);
    }
    return replacers;
}

QList<Overlay::Piece> ChangeTimeline::oldBytesIn(const ChangeFile &change, const GobRegion &region)
{
    QList<Overlay::Piece> pieces;
    for (const OldBytes &old : change.oldBytes()) {
        const qint64 from = std::max(old.start, region.start);
        const qint64 to = std::min(old.start + old.length, region.end());
        if (from < to)
            pieces.append({from, to - from, old.fileOffset + (from - old.start)});
    }
    return pieces;
}
