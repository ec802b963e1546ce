#include "cli/consoleprompts.h"
#include "cli/verbs.h"

#include "services/apppath.h"
#include "services/helppages.h"

// Where this copy keeps its files: the application folder and the help pages.
int Verbs::paths(const QStringList &)
{
    ConsolePrompts::print(QStringLiteral("application folder\t") + MainModule::AppPath());
    ConsolePrompts::print(QStringLiteral("help folder\t") + MainModule::helpFolder());
    return 0;
}
