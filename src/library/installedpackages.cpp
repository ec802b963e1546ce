#include "installedpackages.h"

#include "changetimeline.h"

#include "services/fileaccess.h"
#include "services/messages.h"

namespace InstalledPackages {

QList<Package> of(const QString &gobPath)
{
    const ChangeTimeline timeline(gobPath);
    auto gob = FileAccess::openForReading(gobPath);
    QList<Package> packages;
    for (const ChangeFile &change : timeline.all()) {
        if (change.header().kind != ChangeKind::Package || !timeline.stands(change)
            || change.state() != ChangeState::Done)
            continue;
        Package package {change.sequence(), change.header().description, change.header().time, 0,
                         0};
        for (const GobRegion &region : change.header().regions) {
            ++package.items;
            Overlay left(*gob);
            if (region.end() <= gob->size() && timeline.layAfter(left, change.sequence(), region)
                && Overlay::same(Overlay(*gob), left, region))
                ++package.holding;
        }
        packages.append(package);
    }
    return packages;
}

QString droppedNote(const QString &gobPath)
{
    const ChangeTimeline timeline(gobPath);
    return timeline.oldestKept() > 1 ? Messages::installedDropped(timeline.oldestKept())
                                     : QString();
}

} // namespace InstalledPackages
