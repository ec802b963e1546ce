// The Kestrix desktop program. It takes no options but --help and --version, answered before
// any window (or display) is needed.
#include "mainwindow/frmmain.h"
#include "services/helppages.h"
#include "services/opener.h"
#include "services/translations.h"
#include "widgets/qtprompts.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {

// 0 or 1 after printing when the first word asks for help or the version, -1 to start the
// window (which leaves Qt's own options such as -platform to QApplication). Standard output is
// checked as kestrix-cli checks it.
int answerWithoutWindow(int argc, char *argv[])
{
    if (argc < 2)
        return -1;
    const char *text = nullptr;
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)
        text = "usage: kestrix [--help | --version]\n"
               "Starts the Kestrix window on the GOB file it remembers. The application folder is\n"
               "the one KESTRIX_HOME names, if set. kestrix-cli --help describes the command-line\n"
               "tool.\n";
    else if (std::strcmp(argv[1], "--version") == 0)
        text = "kestrix " KESTRIX_VERSION_TEXT "\n";
    else
        return -1;
    if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
        std::perror("kestrix: write error");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const int answered = answerWithoutWindow(argc, argv); answered >= 0)
        return answered;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrix"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRIX_VERSION_TEXT));
    MainModule::InstallTranslations(app);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kestrix-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kestrix.Kestrix"));

    DesktopOpener opener;
    QtPrompts prompts([&opener](int topic) { opener.openUrl(MainModule::helpPage(topic)); });
    frmMain window(prompts, opener);
    if (!window.Form_Load())
        return 1;
    window.show();
    return app.exec();
}
