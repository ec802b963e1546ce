#include "helppages.h"

#include "apppath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace MainModule {

namespace {

QString besideHelpFolder()
{
    return withTrailingSlash(QCoreApplication::applicationDirPath()) + QStringLiteral("help/");
}

QString installedHelpFolder()
{
    return QDir::cleanPath(withTrailingSlash(QCoreApplication::applicationDirPath())
                           + QStringLiteral("../share/kestrix/help"))
        + QStringLiteral("/");
}

} // namespace

bool isInstalledCopy()
{
    return !QFileInfo::exists(besideHelpFolder() + QStringLiteral("index.htm"))
        && QFileInfo::exists(installedHelpFolder() + QStringLiteral("index.htm"));
}

QString helpFolder()
{
    // Beside the executable in a build or unpacked folder; in the shared data folder of an
    // installed copy, whatever the application folder is.
    return isInstalledCopy() ? installedHelpFolder() : besideHelpFolder();
}

QUrl helpPage(int topic)
{
    const QString page =
        topic == 0 ? QStringLiteral("index.htm") : QString::number(topic) + QStringLiteral(".htm");
    return QUrl::fromLocalFile(helpFolder() + page);
}

} // namespace MainModule
