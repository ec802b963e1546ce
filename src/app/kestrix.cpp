// The Kestrix desktop program. It takes no options.
#include "mainwindow/frmmain.h"
#include "services/helppages.h"
#include "services/opener.h"
#include "widgets/qtprompts.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrix"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRIX_VERSION_TEXT));
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
