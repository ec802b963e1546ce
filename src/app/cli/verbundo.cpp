#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "services/messages.h"
#include "session/gobsession.h"

#include <QCoreApplication>

namespace {

int runUndo(const Arguments &args)
{
    std::optional<int> keep;
    if (args.has(QStringLiteral("to"))) {
        keep = args.number(QStringLiteral("to"));
        if (*keep < 0)
            throw UsageError(QCoreApplication::translate(
                "kestrix-cli", "The option --to takes a change number from 0 up."));
    }
    GobSession session;
    session.openForCommand(args.required(QStringLiteral("gob")), QString(), QString());
    // The session counts the first change undone, --to the last one kept (no change is ever
    // numbered as high as the largest --to).
    const QList<ChangeFile> undone = keep
        ? session.undoTo(*keep + int(*keep < std::numeric_limits<int>::max()))
        : session.undo();
    for (const ChangeFile &change : undone)
        ConsolePrompts::note(Messages::undone(change.shown()));
    return 0;
}

const Verb undoVerb(
    "undo",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Undoes the newest change of the GOB file that is done, or with --to every "
                      "change after number N."),
    {{"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file, changed in place."), Required},
     {"to", "N",
      QT_TRANSLATE_NOOP("kestrix-cli", "Keeps changes 1 to N (0: undoes every change kept).")},
     quietOption()},
    runUndo);

} // namespace
