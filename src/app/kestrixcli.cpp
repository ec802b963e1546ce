// kestrix-cli: the engines of Kestrix without windows, for scripting and batch work.
#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrix-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(KESTRIX_VERSION_MAJOR)
                                                .arg(KESTRIX_VERSION_MINOR)
                                                .arg(KESTRIX_VERSION_PATCH));

    QStringList words = QCoreApplication::arguments().mid(1);
    const QString first = words.isEmpty() ? QString() : words.takeFirst();
    if (first == QStringLiteral("--help")) {
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
