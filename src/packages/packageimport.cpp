#include "packageimport.h"

#include "packagefiles.h"
#include "tempfolder.h"
#include "tgamove.h"
#include "unzipservice.h"
#include "zipservice.h"

#include "history/gobwriter.h"
#include "packages/packagestatus.h"
#include "services/apppath.h"
#include "services/blockcopy.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"
#include "services/outputfile.h"
#include "services/prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace {

// Tests set this to stop between records, so that a child process can be killed half way.
constexpr char RecordPauseVariable[] = "KESTRIX_TEST_RECORD_PAUSE_MS";

QString lineOf(const QStringList &descriptions, qint64 record)
{
    return record <= descriptions.size() ? descriptions.at(record - 1)
                                         : Messages::noReplacedFilesLine();
}

} // namespace

std::optional<PackageContents> PackageContents::locate(const QString &folder)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden);
    const auto find = [&](const QString &wanted) {
        for (const QString &name : files)
            if (name.compare(wanted, Qt::CaseInsensitive) == 0)
                return dir.filePath(name);
        return QString();
    };
    PackageContents contents {find(PackageFiles::installDataName()),
                              find(PackageFiles::fileDataName()),
                              find(PackageFiles::replacedFilesName())};
    if (contents.installData.isEmpty() || contents.fileData.isEmpty()
        || contents.replacedFiles.isEmpty())
        return std::nullopt;
    return contents;
}

namespace PackageImport {

QString backupPathOf(const QString &packagePath)
{
    const QString fileName = QFileInfo(packagePath).fileName();
    const QString folder = packagePath.left(packagePath.size() - fileName.size());
    QString base = fileName;
    if (base.size() > 4 && base.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive))
        base.chop(4);
    QString path = folder + base + QStringLiteral("_backup.zip");
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = folder + base + QStringLiteral("_backup-%1.zip").arg(n);
    return path;
}

void check(const PackageContents &contents, const QStringList &descriptions, const QString &gobPath)
{
    auto gob = FileAccess::openForReading(gobPath);
    const qint64 gobSize = gob->size();
    gob->close();
    const QString shownGob = FileAccess::displayPath(gobPath);
    if (!QFileInfo(gobPath).isWritable())
        throw Failure(FailureNumber::FileAccess,
                      Messages::packageRefused(Messages::gobNotWritable(shownGob)));

    auto install = FileAccess::openForReading(contents.installData);
    qint64 needed = 0;
    PackageFiles::forEachRecord(*install, [&](qint64 k, const PackageFiles::InstallRecord &record) {
        const QString problem = PackageFiles::regionProblem(
            record, gobSize, Messages::packageRecord(int(k), lineOf(descriptions, k)), gobPath);
        if (!problem.isEmpty())
            throw Failure(FailureNumber::BadRecord, Messages::packageRefused(problem));
        needed += record.size;
    });
    const qint64 dataLength = QFileInfo(contents.fileData).size();
    if (dataLength < needed)
        throw Failure(FailureNumber::BadRecord,
                      Messages::packageRefused(Messages::fileDataTooShort(
                          PackageFiles::fileDataName(), dataLength, needed)));
}

void writeBackup(const PackageContents &contents, const QString &gobPath,
                 const QString &backupDataPath, const QString &backupPath,
                 const QStringList &batsFiles, PackageContext &context)
{
    const QString shown = FileAccess::displayPath(backupPath);
    try {
        {
            auto gob = FileAccess::openForReading(gobPath);
            auto install = FileAccess::openForReading(contents.installData);
            OutputFile data(backupDataPath);
            qint64 position = 0;
            PackageFiles::forEachRecord(
                *install, [&](qint64, const PackageFiles::InstallRecord &record) {
                    BlockCopy::copy(*gob, record.regionStart(), data.device(), position,
                                    record.size, BlockCopy::RecordBlock);
                    position += record.size;
                });
            data.commit();
        }
        VBZipBas::zip(backupPath,
                      QStringList {contents.installData, backupDataPath, contents.replacedFiles}
                          + batsFiles,
                      context);
    } catch (const Failure &failure) {
        throw Failure(failure.number(), Messages::backupNotWritten(shown, failure.description()));
    }
}

void writeRecords(const PackageContents &contents, const ImportRequest &request,
                  PackageDisplay &display, const QList<std::pair<QString, QString>> &tgaMoves)
{
    auto install = FileAccess::openForReading(contents.installData);
    auto data = FileAccess::openForReading(contents.fileData);
    const int count = PackageFiles::progressCount(install->size());
    const int pause = qEnvironmentVariableIntValue(RecordPauseVariable);
    GobChange change(request.gobPath, ChangeKind::Package,
                     QFileInfo(request.packagePath).fileName());
    PackageFiles::forEachRecord(*install, [&](qint64 k, const PackageFiles::InstallRecord &record) {
        if (!request.skip.contains(k))
            change.addRegion(record.regionStart(), record.size);
    });
    for (const auto &[target, source] : tgaMoves)
        change.addFile(target, source);
    GobWriter &writer = change.begin(request.withoutUndo);
    qint64 position = 0;
    PackageFiles::forEachRecord(*install, [&](qint64 k, const PackageFiles::InstallRecord &record) {
        display.processPendingEvents();
        display.setProgress(PackageFiles::progressPercent(k, count));
        if (request.skip.contains(k)) {
            position += record.size;
            return;
        }
        writer.copyFrom(*data, position, record.regionStart(), record.size, BlockCopy::RecordBlock);
        FileAccess::flush(writer.file());
        position += record.size;
        if (pause > 0)
            QThread::msleep(ulong(pause));
    });
    change.commit();
}

std::optional<PackageContents> unpack(const QString &packagePath, const QString &extraction,
                                      PackageContext &context, const QString &gobPath)
{
    // Files left by an earlier package must not stand in for missing ones of this one.
    QDir(extraction).removeRecursively();
    const qint64 bound = gobPath.isEmpty() ? -1 : QFileInfo(gobPath).size() + TextBound;
    try {
        VBUnzBas::unzip(packagePath, extraction, context, bound);
    } catch (const ZipFailure &failure) {
        throw Failure(FailureNumber::FileAccess,
                      Messages::packageNotUnpacked(FileAccess::displayPath(packagePath),
                                                   failure.result(), failure.description()));
    }

    std::optional<PackageContents> contents = PackageContents::locate(extraction);
    if (!contents) {
        context.prompts.critical(context.owner, Messages::notKxZip());
        QDir(extraction).removeRecursively();
    }
    return contents;
}

ImportOutcome run(const ImportRequest &request, PackageContext &context)
{
    const QString extraction = TempFolder::extractionFolderOf(request.tempFolder);
    std::optional<PackageContents> contents;
    try {
        contents = unpack(request.packagePath, extraction, context, request.gobPath);
    } catch (const Failure &failure) {
        // Reading the package is also how status begins; only an import says what it left.
        throw Failure(failure.number(),
                      failure.description() + QStringLiteral("\r\n") + Messages::nothingImported());
    }
    if (!contents)
        return {};

    const QStringList descriptions = PackageFiles::readReplacedFiles(contents->replacedFiles);
    check(*contents, descriptions, request.gobPath);
    ImportRequest writing = request;
    if (request.review && !request.review(*contents, writing.skip))
        throw Failure::cancelled();
    // The .tga files are refused with the package when one would land on an input; they are
    // replaced as part of the GOB file's change.
    const auto refused = [](const Failure &failure) {
        return Failure(failure.number(), Messages::packageRefused(failure.description()));
    };
    std::optional<TgaMove> tga;
    try {
        tga.emplace(
            extraction, request.batsFolder,
            QStringList {request.gobPath, request.packagePath, MainModule::cataloguePath()});
    } catch (const Failure &failure) {
        throw refused(failure);
    }
    QStringList listed = descriptions;
    for (const QString &file : tga->replaced())
        listed << u'"' + FileAccess::displayPath(file) + u'"';
    // The window manager may cut the title: the question opens the text too, the names below.
    Message question;
    question.text = Messages::replaceQuestionTitle()
        + PackageStatus::replaceNote(*contents, descriptions, request.gobPath)
        + QStringLiteral("\r\n\r\n") + Messages::replacedCount(int(listed.size()));
    question.title = Messages::replaceQuestionTitle();
    question.icon = MessageIcon::Question;
    question.buttons = MessageButtons::YesNo;
    question.defaultAnswer = Answer::Yes;
    question.items = listed;
    if (context.prompts.message(context.owner, question) != Answer::Yes)
        throw Failure::cancelled();

    context.display.showProgressDisplay(true);
    try {
        tga->prepare();
    } catch (const Failure &failure) {
        throw refused(failure);
    }
    ImportOutcome outcome;
    outcome.imported = true;
    if (request.backup) {
        outcome.backupPath = backupPathOf(request.packagePath);
        writeBackup(*contents, request.gobPath, TempFolder::backupDataPathOf(request.tempFolder),
                    outcome.backupPath, tga->replaced(), context);
    }
    const QList<bool> inPlace = PackageStatus::inPlace(*contents, descriptions, request.gobPath);
    for (qsizetype k = 0; k < inPlace.size(); ++k)
        if (inPlace[k])
            writing.skip.insert(k + 1);
    writeRecords(*contents, writing, context.display, tga->moves());
    outcome.moveResult = tga->commit();
    context.prompts.inform(context.owner,
                           Messages::importedSucessfully(
                               outcome.moveResult, FileAccess::displayPath(outcome.backupPath)));
    return outcome;
}

} // namespace PackageImport
