// Start-up of the desktop program against a bare Qt window, for bench/run.
//   bench_startup window GOB   the main window as kestrix.cpp makes it: Form_Load on the catalogue
//                              of KESTRIX_HOME with GOB as the chosen GOB file, shown
//   bench_startup bare         an empty QMainWindow, shown
// Each processes the pending events once the window is shown and quits.
#include "mainwindow/frmmain.h"
#include "services/helppages.h"
#include "services/opener.h"
#include "services/settings.h"
#include "services/translations.h"
#include "widgets/qtprompts.h"

#include <QApplication>
#include <QIcon>
#include <QMainWindow>

#include <cstdio>

namespace {

int showAndQuit(QWidget &window)
{
    window.show();
    QApplication::processEvents();
    return 0;
}

int startWindow(const QString &gob)
{
    QApplication::setApplicationName(QStringLiteral("Kestrix"));
    MainModule::InstallTranslations(*qApp);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kestrix-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kestrix.Kestrix"));

    Settings::save(Settings::GobKey, gob);
    DesktopOpener opener;
    QtPrompts prompts([&opener](int topic) { opener.openUrl(MainModule::helpPage(topic)); });
    frmMain window(prompts, opener);
    if (!window.Form_Load())
        return 1;
    return showAndQuit(window);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args.at(1) == QStringLiteral("window"))
        return startWindow(args.at(2));
    if (args.size() == 2 && args.at(1) == QStringLiteral("bare")) {
        QMainWindow window;
        return showAndQuit(window);
    }
    std::fputs("usage: bench_startup window GOB | bench_startup bare\n", stderr);
    return 2;
}
