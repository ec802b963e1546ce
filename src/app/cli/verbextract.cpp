#include "cli/arguments.h"
#include "cli/recordchoice.h"
#include "cli/verbs.h"

#include "records/recordextraction.h"

int Verbs::extract(const QStringList &words)
{
    const Arguments args(words, {});
    const RecordChoice choice = RecordChoice::from(args);
    const QString out = args.required(QStringLiteral("out"));
    choice.refuseOutput(out);
    QTemporaryDir dir = workFolder();
    const QString scratch = dir.filePath(QStringLiteral("temp.bmp"));
    choice.extractTo(scratch);
    RecordExtraction::saveBitmapCopy(scratch, out);
    return 0;
}

int Verbs::save(const QStringList &words)
{
    const Arguments args(words, {});
    const RecordChoice choice = RecordChoice::from(args);
    const QString out = args.required(QStringLiteral("out"));
    choice.refuseOutput(out);
    QTemporaryDir dir = workFolder();
    const QString scratch = dir.filePath(QStringLiteral("temp.bmp"));
    choice.extractTo(scratch);
    if (choice.entry.isWholeFile())
        RecordExtraction::saveWholeFileCopy(scratch, out);
    else
        RecordExtraction::saveBitmapCopy(scratch, out);
    return 0;
}
