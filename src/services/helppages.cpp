#include "helppages.h"

#include "apppath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace MainModule {

QString helpFolder()
{
    // Beside the executable in a build or unpacked folder; in the shared data folder of an
    // installed copy (bin/../share/kestrix/help), whatever the application folder is.
    const QString exe = withTrailingSlash(QCoreApplication::applicationDirPath());
    const QString beside = exe + QStringLiteral("help/");
    if (QFileInfo::exists(beside + QStringLiteral("index.htm")))
        return beside;
    const QString installed =
        QDir::cleanPath(exe + QStringLiteral("../share/kestrix/help")) + QStringLiteral("/");
    if (QFileInfo::exists(installed + QStringLiteral("index.htm")))
        return installed;
    return beside;
}

QUrl helpPage(int topic)
{
    const QString page =
        topic == 0 ? QStringLiteral("index.htm") : QString::number(topic) + QStringLiteral(".htm");
    return QUrl::fromLocalFile(helpFolder() + page);
}

} // namespace MainModule
