#include "packagemake.h"

#include "packagefiles.h"
#include "tempfolder.h"
#include "zipservice.h"

#include "services/apppath.h"
#include "services/blockcopy.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/fileidentity.h"
#include "services/messages.h"
#include "services/outputfile.h"

namespace PackageMake {

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
    auto gob = FileAccess::openForReading(gobPath);
    OutputFile data(paths.at(1));
    // The install records and the lines are a few bytes per item: they are written at the end.
    QByteArray install, replaced;
    qint64 dataLength = 0;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const PackageItem &item = items.at(i);
        display.processPendingEvents();
        display.setProgress(PackageFiles::progressPercent(i + 1, items.size()));
        BlockCopy::copy(*gob, item.regionStart(), data.device(), dataLength, item.size,
                        BlockCopy::RecordBlock);
        install += PackageFiles::installRecordBytes({item.offset, item.size});
        replaced += PackageFiles::replacedFilesLine(item.description);
        dataLength += item.size;
    }
    data.commit();
    OutputFile::write(paths.at(0), install);
    OutputFile::write(paths.at(2), replaced);
    return paths;
}

void writeArchive(const QString &archivePath, const QStringList &packageFiles,
                  const QString &readme, const QString &gobPath, PackageContext &context,
                  const QString &cataloguePath)
{
    QStringList files = packageFiles;
    if (!readme.isEmpty())
        files << readme;
    const QString target = VBZipBas::archivePathFor(archivePath);
    FileIdentity::refuseInputs(target, files + QStringList {gobPath, cataloguePath});
    VBZipBas::zip(target, files, context);
}

} // namespace PackageMake
