#include "opener.h"

#include <QDesktopServices>
#include <QProcess>

bool DesktopOpener::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool DesktopOpener::openProgram(const QString &program, const QString &workingFolder)
{
#ifdef Q_OS_WIN
    return QProcess::startDetached(program, {}, workingFolder);
#else
    // xdg-open hands the file to the program the desktop has for it (a .exe to the Windows
    // runtime when one is installed).
    return QProcess::startDetached(QStringLiteral("xdg-open"), {program}, workingFolder);
#endif
}
