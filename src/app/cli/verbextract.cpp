#include "cli/arguments.h"
#include "cli/recordchoice.h"
#include "cli/verbs.h"

#include "records/recordextraction.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// Extracts the chosen record into scratch, as the window does into temp.bmp.
void extractTo(const RecordChoice &choice, const QString &scratch)
{
    if (choice.entry.isWholeFile())
        RecordExtraction::extractWholeFileRecord(choice.gobPath, choice.subFile.offset,
                                                 choice.subFile.areaSize, scratch);
    else
        RecordExtraction::extractImageRecord(choice.gobPath, choice.subFile.offset, scratch);
}

QTemporaryDir workFolder()
{
    QTemporaryDir dir;
    if (!dir.isValid())
        throw Failure(FailureNumber::FileAccess,
                      QStringLiteral("Cannot create a temporary folder: ") + dir.errorString());
    return dir;
}

// Moves the finished file to out; the output is replaced only after everything worked.
void publish(const QString &finished, const QString &out)
{
    FileAccess::removeIfExists(out);
    if (!QFile::rename(finished, out) && !QFile::copy(finished, out))
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("write"), FileAccess::displayPath(out),
                                            QStringLiteral("the file could not be replaced")));
}

} // namespace

int Verbs::extract(const QStringList &words)
{
    const Arguments args(words, {});
    const RecordChoice choice = RecordChoice::from(args);
    const QString out = args.required(QStringLiteral("out"));
    QTemporaryDir dir = workFolder();
    const QString scratch = dir.filePath(QStringLiteral("temp.bmp"));
    extractTo(choice, scratch);
    publish(scratch, out);
    return 0;
}

int Verbs::save(const QStringList &words)
{
    const Arguments args(words, {});
    const RecordChoice choice = RecordChoice::from(args);
    const QString out = args.required(QStringLiteral("out"));
    QTemporaryDir dir = workFolder();
    const QString scratch = dir.filePath(QStringLiteral("temp.bmp"));
    const QString copy = dir.filePath(QStringLiteral("copy"));
    extractTo(choice, scratch);
    if (choice.entry.isWholeFile())
        RecordExtraction::saveWholeFileCopy(scratch, copy);
    else
        RecordExtraction::saveBitmapCopy(scratch, copy);
    publish(copy, out);
    return 0;
}
