#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "history/gobhistory.h"
#include "records/samplegame.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QDir>

namespace {

// A fresh sample game drops the history of the one it replaces: those changes describe bytes
// that are no longer there, and undoing them would refuse or write the old game back.
int runDemo(const Arguments &args)
{
    const SampleGame::Paths paths = SampleGame::write(args.plain().at(0));
    const GobHistory history(paths.gob);
    if (!QDir(history.folder()).removeRecursively())
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("remove"),
                                            FileAccess::displayPath(history.folder()),
                                            QStringLiteral("a file in it could not be removed")));
    ConsolePrompts::report(paths.catalogue);
    ConsolePrompts::report(paths.gob);
    return 0;
}

const Verb
    demoVerb("demo",
             QT_TRANSLATE_NOOP(
                 "kestrix-cli",
                 "Writes a sample game folder and its catalogue DIR/BmpList.txt, and drops the "
                 "history of the GOB file it replaces."),
             {quietOption()}, runDemo,
             {"DIR", QT_TRANSLATE_NOOP("kestrix-cli", "The folder to write into."), 1, 1});

} // namespace
