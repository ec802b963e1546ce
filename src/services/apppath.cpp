#include "apppath.h"

#include <QCoreApplication>
#include <QDir>

namespace MainModule {

QString withTrailingSlash(const QString &folder)
{
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + u'/';
}

QString AppPath()
{
    const QString home = qEnvironmentVariable("KESTRIX_HOME");
    if (!home.isEmpty())
        return withTrailingSlash(QDir::fromNativeSeparators(home));
    return withTrailingSlash(QCoreApplication::applicationDirPath());
}

QString cataloguePath()
{
    return AppPath() + QStringLiteral("BmpList.txt");
}

QString scratchBitmapPath()
{
    return AppPath() + QStringLiteral("temp.bmp");
}

} // namespace MainModule
