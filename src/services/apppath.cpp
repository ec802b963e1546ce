#include "apppath.h"

#include "helppages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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
    // A copy run from its build or unpacked folder keeps its files beside the executable; an
    // installed copy (its help pages in ../share/kestrix, or a folder the user cannot write)
    // keeps them in the user's data folder, even for an administrator who could write there.
    static const QString folder = [] {
        const QString exe = withTrailingSlash(QCoreApplication::applicationDirPath());
        if (!isInstalledCopy() && QFileInfo(exe).isWritable())
            return exe;
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/Kestrix");
        QDir().mkpath(data);
        return withTrailingSlash(data);
    }();
    return folder;
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
