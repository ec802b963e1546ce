#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "services/messages.h"
#include "session/gobsession.h"

namespace {

int runRedo(const Arguments &args)
{
    GobSession session;
    session.openForCommand(args.required(QStringLiteral("gob")), QString(), QString());
    ConsolePrompts::note(Messages::redone(session.redo()->shown()));
    return 0;
}

const Verb redoVerb(
    "redo",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Writes again the oldest change of the GOB file that undo took back, while "
                      "no new change has been made since."),
    {{"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file, changed in place."), Required},
     quietOption()},
    runRedo);

} // namespace
