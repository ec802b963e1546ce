#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "services/apppath.h"
#include "services/helppages.h"

namespace {

// Where this copy keeps its files: the application folder and the help pages.
int runPaths(const Arguments &)
{
    ConsolePrompts::printRecord({QStringLiteral("application folder"), MainModule::AppPath()});
    ConsolePrompts::printRecord({QStringLiteral("help folder"), MainModule::helpFolder()});
    return 0;
}

const Verb pathsVerb("paths",
                     "Prints where this copy keeps BmpList.txt, temp.bmp and its help pages.", {},
                     runPaths);

} // namespace
