#include "tgamove.h"

#include "services/apppath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TgaMove {

int moveTgaFiles(const QString &folder, const QString &batsFolder)
{
    QDir source(folder);
    source.setNameFilters({QStringLiteral("*.tga")});
    source.setFilter(QDir::Files | QDir::Hidden);
    source.setSorting(QDir::Name);
    const QStringList names = source.entryList(); // name filters ignore letter case
    if (names.isEmpty())
        return NoFiles;
    if (batsFolder.isEmpty() || !QDir().mkpath(batsFolder))
        return NoFolder;
    const QString target = MainModule::withTrailingSlash(batsFolder);
    int result = Moved;
    for (const QString &name : names) {
        const QString to = target + name;
        if (QFileInfo::exists(to))
            QFile::remove(to);
        // rename copies and removes when the folders lie on different file systems
        if (!QFile::rename(source.filePath(name), to) && result == Moved)
            result = NotMoved;
    }
    return result;
}

} // namespace TgaMove
