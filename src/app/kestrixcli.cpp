// kestrix-cli: the engines of Kestrix without windows, for scripting and batch work.
#include "cli/commandline.h"
#include "cli/consoleprompts.h"
#include "cli/verbmodule.h"
#include "services/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

namespace {

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

// The verbs kestrix-cli does not hold itself (those that draw pictures, read or write zip
// archives or reach the package window), the overview and the completion, which list every
// verb, are run by the module of verbs: the program alone loads Qt Core and no more.
int runInVerbModule(const QStringList &words)
{
    const QString here = QCoreApplication::applicationDirPath();
    const QString name = QStringLiteral(KESTRIX_VERB_MODULE_NAME);
    // Beside the program in a build folder, else where the installation puts it.
    QString path = QDir(here).filePath(name);
    if (!QFileInfo::exists(path))
        path = QDir::cleanPath(here + QStringLiteral("/" KESTRIX_VERB_MODULE_DIR "/") + name);
    QLibrary module(path);
    // The module stays to the end: the leak check at exit reads its code.
    module.setLoadHints(QLibrary::PreventUnloadHint);
    if (const auto run = reinterpret_cast<RunVerbs>(module.resolve(RunVerbsName)))
        return run(ConsolePrompts::outputWasClosed());
    ConsolePrompts::printError(
        QCoreApplication::translate("kestrix-cli",
                                    "kestrix-cli: \"%1\" needs %2, which cannot be loaded: %3. "
                                    "Nothing was written.")
            .arg(words.value(0, QStringLiteral("--help")), QDir::toNativeSeparators(path),
                 module.errorString()));
    return 1;
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
    const QStringList words = QCoreApplication::arguments().mid(1);
    if (!answeredByRegisteredVerbs(words))
        return runInVerbModule(words);
    return ConsolePrompts::finishOutput(runCommandLine(words));
}
