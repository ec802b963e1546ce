#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "services/apppath.h"
#include "services/helppages.h"
#include "services/settings.h"

namespace {

// Where this copy keeps its files: the application folder, the help pages and the settings.
int runPaths(const Arguments &)
{
    ConsolePrompts::printRecord({QStringLiteral("application folder"), MainModule::AppPath()});
    ConsolePrompts::printRecord({QStringLiteral("help folder"), MainModule::helpFolder()});
    ConsolePrompts::printRecord({QStringLiteral("settings file"), Settings::location()});
    return 0;
}

const Verb pathsVerb(
    "paths",
    QT_TRANSLATE_NOOP(
        "kestrix-cli",
        "Prints where this copy keeps BmpList.txt, temp.bmp, its help pages and its settings."),
    {}, runPaths);

} // namespace
