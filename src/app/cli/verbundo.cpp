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
    for (const ChangeFile &change : history.undo(keep))
        ConsolePrompts::note(Messages::undone(change.shown()));
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
