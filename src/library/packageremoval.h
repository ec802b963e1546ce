#pragma once

#include "changetimeline.h"

#include <QString>

#include <functional>

// Taking one package out of a GOB file, whichever came after it. For every byte range the
// package wrote, the bytes that lay there before it go back, except where a later change that
// still stands has written since: those bytes stay, and undoing that change later gives the
// bytes from before the package. The removal is a change of its own (journalled, undone like
// any other), so a crash leaves all of it or none.
namespace PackageRemoval {

// The package's change chosen by what: its number, or the newest package of that name that
// still stands. Throws a Failure saying why when there is none, it is no package, it is not
// applied, or the history limit dropped it.
const ChangeFile &choose(const ChangeTimeline &timeline, const QString &what,
                         const QString &gobPath);

struct Outcome
{
    ChangeFile removed; // the package's change
    qint64 bytesPutBack = 0; // the bytes that differ from what lay there
};

// Removes the package chosen by what (as choose() takes it). Every check comes before the first
// write: the package's change and every journal it reads pass their checksums, the GOB file is
// the one they were made to and holds what the history says, and no change made without undo
// overlaps it. Throws a Failure saying why, with nothing written.
Outcome remove(const QString &gobPath, const QString &what,
               const std::function<void()> &pendingEvents = {});

} // namespace PackageRemoval
