#include "cli/consoleprompts.h"
#include "cli/verbs.h"

#include "records/samplegame.h"
#include "services/failure.h"

int Verbs::demo(const QStringList &words)
{
    if (words.size() != 1)
        throw Failure(FailureNumber::TypeMismatch,
                      QStringLiteral("kestrix-cli demo takes one folder."));
    const SampleGame::Paths paths = SampleGame::write(words.at(0));
    ConsolePrompts::print(paths.catalogue);
    ConsolePrompts::print(paths.gob);
    return 0;
}
