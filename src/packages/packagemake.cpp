#include "packagemake.h"

#include "packagefiles.h"
#include "tempfolder.h"
#include "zipservice.h"

#include "services/apppath.h"
#include "services/blockcopy.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QFileInfo>

namespace PackageMake {

namespace {

bool samePath(const QString &a, const QString &b)
{
    const QFileInfo x(a), y(b);
    if (x.exists() && y.exists())
        return x.canonicalFilePath() == y.canonicalFilePath();
    return x.absoluteFilePath() == y.absoluteFilePath();
}

} // namespace

void checkItems(const QString &gobPath, const QList<PackageItem> &items)
{
    auto gob = FileAccess::openForReading(gobPath);
    const qint64 gobSize = gob->size();
    gob->close();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const PackageItem &item = items.at(i);
        const QString problem = PackageFiles::regionProblem(
            {item.offset, item.size}, gobSize, Messages::packageItem(int(i + 1), item.description),
            gobPath);
        if (!problem.isEmpty())
            throw Failure(FailureNumber::BadRecord, Messages::nothingWritten(problem));
    }
}

QStringList writeFiles(const QString &gobPath, const QList<PackageItem> &items,
                       const QString &folder, PackageDisplay &display)
{
    TempFolder::ensure(folder);
    const QString base = MainModule::withTrailingSlash(folder);
    const QStringList paths = {base + PackageFiles::installDataName(),
                               base + PackageFiles::fileDataName(),
                               base + PackageFiles::replacedFilesName()};
    auto install = FileAccess::createForWriting(paths.at(0));
    auto data = FileAccess::createForWriting(paths.at(1));
    auto replaced = FileAccess::createForWriting(paths.at(2));
    auto gob = FileAccess::openForReading(gobPath);

    qint64 dataLength = 0;
    qint64 installLength = 0;
    qint64 replacedLength = 0;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const PackageItem &item = items.at(i);
        display.processPendingEvents();
        display.setProgress(PackageFiles::progressPercent(i + 1, items.size()));
        BlockCopy::copy(*gob, item.regionStart(), *data, dataLength, item.size,
                        BlockCopy::PackageBlock);
        const QByteArray record = PackageFiles::installRecordBytes({item.offset, item.size});
        FileAccess::writeAt(*install, installLength, record);
        installLength += record.size();
        const QByteArray line = PackageFiles::replacedFilesLine(item.description);
        FileAccess::writeAt(*replaced, replacedLength, line);
        replacedLength += line.size();
        dataLength += item.size;
    }
    for (TrackedFile *file : {install.get(), data.get(), replaced.get()}) {
        FileAccess::flush(*file);
        file->close();
    }
    return paths;
}

int writeArchive(const QString &archivePath, const QStringList &packageFiles, const QString &readme,
                 const QString &gobPath, PackageContext &context)
{
    QStringList files = packageFiles;
    if (!readme.isEmpty())
        files << readme;
    const QString target = VBZipBas::archivePathFor(archivePath);
    for (const QString &input : files + QStringList {gobPath})
        if (samePath(target, input))
            throw Failure(FailureNumber::FileAccess,
                          Messages::packagePathIsInput(FileAccess::displayPath(target)));
    if (!FileAccess::removeIfExists(target))
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("replace"),
                                            FileAccess::displayPath(target),
                                            QStringLiteral("the file could not be deleted")));
    return VBZipBas::zip(target, files, context);
}

} // namespace PackageMake
