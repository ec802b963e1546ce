#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "records/samplegame.h"

namespace {

int runDemo(const Arguments &args)
{
    const SampleGame::Paths paths = SampleGame::write(args.plain().at(0));
    ConsolePrompts::print(paths.catalogue);
    ConsolePrompts::print(paths.gob);
    return 0;
}

const Verb demoVerb("demo", "Writes a sample game folder and its catalogue DIR/BmpList.txt.", {},
                    runDemo, {"DIR", "The folder to write into.", 1, 1});

} // namespace
