#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "history/gobhistory.h"
#include "services/messages.h"

namespace {

int runUndo(const Arguments &args)
{
    std::optional<int> keep;
    if (args.has(QStringLiteral("to"))) {
        keep = args.number(QStringLiteral("to"));
        if (*keep < 0)
            throw UsageError(QStringLiteral("The option --to takes a change number from 0 up."));
    }
    GobHistory history(args.required(QStringLiteral("gob")));
    const QList<ChangeFile> undone = history.undo(keep);
    const QList<ChangeFile> all = history.changes();
    for (const ChangeFile &change : undone) {
        const auto at = std::find_if(all.begin(), all.end(), [&](const ChangeFile &c) {
            return c.sequence() == change.sequence();
        });
        const ChangeHeader &h = change.header();
        ConsolePrompts::note(Messages::undone(
            Messages::changeNumbered(int(at - all.begin()) + 1, h.kind, h.description, h.time)));
    }
    return 0;
}

const Verb undoVerb("undo",
                    "Undoes the newest change of the GOB file that is done, or with --to every "
                    "change after number N.",
                    {{"gob", "FILE", "The GOB file, changed in place.", Required},
                     {"to", "N", "Keeps changes 1 to N (0: undoes every change kept)."},
                     quietOption()},
                    runUndo);

} // namespace
