#include "cli/recordchoice.h"
#include "cli/verb.h"

#include "records/recordextraction.h"

namespace {

int runExtract(const Arguments &args)
{
    const RecordChoice choice = RecordChoice::from(args);
    const QString out = args.required(QStringLiteral("out"));
    QTemporaryDir dir = workFolder();
    const QString scratch = dir.filePath(QStringLiteral("temp.bmp"));
    choice.extractTo(scratch);
    publish(scratch, out);
    return 0;
}

int runSave(const Arguments &args)
{
    const RecordChoice choice = RecordChoice::from(args);
    const QString out = args.required(QStringLiteral("out"));
    QTemporaryDir dir = workFolder();
    const QString scratch = dir.filePath(QStringLiteral("temp.bmp"));
    const QString copy = dir.filePath(QStringLiteral("copy"));
    choice.extractTo(scratch);
    if (choice.entry.isWholeFile())
        RecordExtraction::saveWholeFileCopy(scratch, copy);
    else
        RecordExtraction::saveBitmapCopy(scratch, copy);
    publish(copy, out);
    return 0;
}

const Verb
    extractVerb("extract", "Writes the bytes the window's scratch bitmap temp.bmp would hold.",
                RecordChoice::options() << Option {"out", "FILE", "The file to write.", Required},
                runExtract);
const Verb saveVerb("save", "Writes what Save As writes, without its naming rules.",
                    RecordChoice::options()
                        << Option {"out", "FILE", "The file to write.", Required},
                    runSave);

} // namespace
