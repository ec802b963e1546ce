// kestrix-cli: the engines of Kestrix without windows, for scripting and batch work.
#include "cli/consoleprompts.h"
#include "cli/verb.h"
#include "services/translations.h"

#include <QCoreApplication>
#include <QFile>

namespace {

bool isHelp(const QString &word)
{
    return word == QStringLiteral("--help") || word == QStringLiteral("-h")
        || word == QStringLiteral("help");
}

// The word with every byte outside printable ASCII written \xHH, as a message can show it.
QString shownBytes(const QByteArray &word)
{
    QString text;
    for (const char c : word) {
        if (c >= 0x20 && c < 0x7f)
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QChar(u'0'));
    }
    return text;
}

// Qt reads the command line as UTF-8 and puts U+FFFD for any other byte, so two names that
// differ in such a byte would become one file; such a word is refused instead.
int refuseUnreadableWords(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray word(argv[i]);
        if (QFile::encodeName(QFile::decodeName(word)) != word) {
            ConsolePrompts::printError(
                QStringLiteral("kestrix-cli: \"%1\" is not UTF-8 text; Kestrix cannot name a file "
                               "with it. Nothing was written.")
                    .arg(shownBytes(word)));
            return 1;
        }
    }
    return 0;
}

int run()
{
    QStringList words = QCoreApplication::arguments().mid(1);
    const QString first = words.isEmpty() ? QString() : words.takeFirst();
    if (isHelp(first)) {
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

// Qt's own warnings ("QFile::at: Cannot set file position 0") describe what the verb then
// reports in its own words; they are not for the user.
void dropQtMessage(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

int main(int argc, char *argv[])
{
    ConsolePrompts::guardStandardStreams();
    qInstallMessageHandler(dropQtMessage);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrix-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(KESTRIX_VERSION_MAJOR)
                                                .arg(KESTRIX_VERSION_MINOR)
                                                .arg(KESTRIX_VERSION_PATCH));
    MainModule::InstallTranslations(app); // the messages on standard error
    if (const int refused = refuseUnreadableWords(argc, argv))
        return refused;
    return ConsolePrompts::finishOutput(run());
}
