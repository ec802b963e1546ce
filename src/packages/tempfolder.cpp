#include "tempfolder.h"

#include "services/apppath.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"
#include "services/openfiles.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace TempFolder {

QString path()
{
    return MainModule::AppPath() + QStringLiteral("KX_Temp/");
}

QString extractionFolderOf(const QString &tempFolder)
{
    return MainModule::withTrailingSlash(tempFolder) + QStringLiteral("Import/");
}

QString backupDataPathOf(const QString &tempFolder)
{
    return MainModule::withTrailingSlash(tempFolder) + QStringLiteral("file.data");
}

void ensure(const QString &folder)
{
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("create the folder"),
                                            FileAccess::displayPath(folder),
                                            Messages::folderNotMade()));
#ifdef Q_OS_WIN
    const std::wstring native = QDir::toNativeSeparators(folder).toStdWString();
    SetFileAttributesW(native.c_str(), GetFileAttributesW(native.c_str()) | FILE_ATTRIBUTE_HIDDEN);
#endif
}

void deleteFilesIn(const QString &folder)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : files)
        QFile::remove(dir.filePath(name));
}

void cleanUp(const QString &tempFolder)
{
    MainModule::CloseAllFiles();
    // The extraction folder may hold folders stored in a package: remove it whole.
    QDir(extractionFolderOf(tempFolder)).removeRecursively();
    deleteFilesIn(tempFolder);
    QDir().rmdir(tempFolder);
}

} // namespace TempFolder
