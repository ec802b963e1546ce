#include "verbmodule.h"

#include "cli/commandline.h"
#include "cli/consoleprompts.h"

#include <QCoreApplication>

#include <type_traits>

extern "C" Q_DECL_EXPORT int kestrixRunVerbs(bool outputWasClosed)
{
    ConsolePrompts::setOutputWasClosed(outputWasClosed);
    return ConsolePrompts::finishOutput(runCommandLine(QCoreApplication::arguments().mid(1)));
}

static_assert(std::is_same_v<decltype(&kestrixRunVerbs), RunVerbs>);
