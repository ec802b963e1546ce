#pragma once

#include "history/changefile.h"
#include "history/overlay.h"

#include <QList>
#include <QSet>
#include <QString>

class QFile;

// The changes a GOB file's history keeps that still stand, as the package library reads them:
// the done changes in order, and which of them a done removal took out. A removal is a change
// of kind "remove" whose description is the removed change's number, a blank and its
// description; undoing it puts the change back.
//
// From the journal alone it works out what any change left in its regions (the GOB file with
// the old bytes of every later change laid over it, the oldest on top) and, for a run of bytes,
// which change's bytes now lie there.
class ChangeTimeline
{
public:
    explicit ChangeTimeline(const QString &gobPath);

    static QString removalDescription(const ChangeFile &removed);
    // The number of the change a removal takes out; 0 for any other change.
    static qint64 removedNumber(const ChangeFile &change);

    // Every change the history keeps, oldest first.
    const QList<ChangeFile> &all() const { return m_all; }
    // The change numbered number, or nullptr.
    const ChangeFile *find(qint64 number) const;
    // Done (or made without undo), not a removal, and not taken out by a done removal: its
    // bytes count as the GOB file's.
    bool stands(const ChangeFile &change) const;
    bool isRemoved(const ChangeFile &change) const { return m_removed.contains(change.sequence()); }
    // The number of the oldest change kept; changes before it were dropped by the limit.
    qint64 oldestKept() const { return m_all.isEmpty() ? 0 : m_all.first().sequence(); }

    // Lays over overlay the old bytes of every done change after number that overlaps region,
    // newest first, so that the overlay shows what change number left there. Returns false when
    // a change made without undo lies in the way (its old bytes are not known).
    bool layAfter(Overlay &overlay, qint64 number, const GobRegion &region) const;

    // The done changes (removals among them) whose regions overlap region, oldest first.
    QList<const ChangeFile *> writersOf(const GobRegion &region) const;
    // The done changes (removals among them) that replaced the file at path, oldest first.
    QList<const ChangeFile *> replacersOf(const QString &path) const;

    // The pieces of change's old bytes inside region.
    static QList<Overlay::Piece> oldBytesIn(const ChangeFile &change, const GobRegion &region);

private:
    QList<ChangeFile> m_all;
    QSet<qint64> m_removed;
};
