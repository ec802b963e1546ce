#include "commandline.h"

#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include <QCoreApplication>

namespace {

bool isHelpWord(const QString &word)
{
    return word == QStringLiteral("--help") || word == QStringLiteral("-h")
        || word == QStringLiteral("help");
}

} // namespace

bool answeredByRegisteredVerbs(const QStringList &words)
{
    if (words.isEmpty())
        return false;
    if (words.first() == QStringLiteral("--version"))
        return true;
    if (isHelpWord(words.first()))
        return words.size() == 2 && Verb::find(words.at(1));
    return Verb::find(words.first());
}

int runCommandLine(QStringList words)
{
    const QString first = words.isEmpty() ? QString() : words.takeFirst();
    if (isHelpWord(first)) {
        // "help list" and "--help list" are "list --help".
        if (const Verb *verb = words.size() == 1 ? Verb::find(words.first()) : nullptr)
            return verb->run({QStringLiteral("--help")});
        ConsolePrompts::print(Verb::overview());
        return 0;
    }
    if (first == QStringLiteral("--version")) {
        ConsolePrompts::print(QStringLiteral("kestrix-cli ")
                              + QCoreApplication::applicationVersion());
        return 0;
    }
    const Verb *verb = Verb::find(first);
    if (!verb) {
        if (!first.isEmpty())
            ConsolePrompts::printError(
                QStringLiteral("kestrix-cli: unknown verb \"%1\".").arg(first));
        ConsolePrompts::printError(Verb::overview());
        return 2;
    }
    return verb->run(words);
}
