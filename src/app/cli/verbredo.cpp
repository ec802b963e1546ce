#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "history/gobhistory.h"
#include "services/messages.h"

namespace {

int runRedo(const Arguments &args)
{
    GobHistory history(args.required(QStringLiteral("gob")));
    ConsolePrompts::note(Messages::redone(history.redo().shown()));
    return 0;
}

const Verb redoVerb("redo",
                    "Writes again the oldest change of the GOB file that undo took back, while "
                    "no new change has been made since.",
                    {{"gob", "FILE", "The GOB file, changed in place.", Required}, quietOption()},
                    runRedo);

} // namespace
