#include "cli/consoledisplay.h"
#include "cli/consoleprompts.h"
#include "cli/recordchoice.h"
#include "cli/verb.h"

#include "records/recordextraction.h"

namespace {

int runExtract(const Arguments &args)
{
    const RecordChoice choice = RecordChoice::from(args);
    const QString out = args.required(QStringLiteral("out"));
    choice.refuseOutput(out);
    const std::unique_ptr<QTemporaryDir> dir = ConsoleDisplay::workFolder();
    const QString scratch = dir->filePath(QStringLiteral("temp.bmp"));
    choice.extractTo(scratch);
    RecordExtraction::saveBitmapCopy(scratch, out);
    ConsolePrompts::report(out);
    return 0;
}

int runSave(const Arguments &args)
{
    const RecordChoice choice = RecordChoice::from(args);
    const QString out = args.required(QStringLiteral("out"));
    choice.refuseOutput(out);
    const std::unique_ptr<QTemporaryDir> dir = ConsoleDisplay::workFolder();
    const QString scratch = dir->filePath(QStringLiteral("temp.bmp"));
    choice.extractTo(scratch);
    if (choice.entry.isWholeFile())
        RecordExtraction::saveWholeFileCopy(scratch, out);
    else
        RecordExtraction::saveBitmapCopy(scratch, out);
    ConsolePrompts::report(out);
    return 0;
}

const Verb extractVerb(
    "extract",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Writes the bytes the window's scratch bitmap temp.bmp would hold."),
    RecordChoice::options() << Option {"out", "FILE",
                                       QT_TRANSLATE_NOOP("kestrix-cli", "The file to write."),
                                       Required}
                            << quietOption(),
    runExtract);
const Verb saveVerb("save",
                    QT_TRANSLATE_NOOP("kestrix-cli",
                                      "Writes what Save As writes, without its naming rules."),
                    RecordChoice::options()
                        << Option {"out", "FILE",
                                   QT_TRANSLATE_NOOP("kestrix-cli", "The file to write."), Required}
                        << quietOption(),
                    runSave);

} // namespace
