#include "cli/consoleprompts.h"
#include "cli/recordchoice.h"
#include "cli/verb.h"

#include "pictures/folderexport.h"
#include "pictures/recordexport.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"
#include "services/outputfile.h"

#include <QCoreApplication>

namespace {

// One sub file to --out (an image record as an indexed PNG, a whole-file record as the file it
// holds), or whole entries to --dir with the manifest.
int runExport(const Arguments &args)
{
    const bool all = args.has(QStringLiteral("all"));
    const bool toFolder = args.has(QStringLiteral("dir"));
    if (toFolder == args.has(QStringLiteral("out")))
        throw UsageError(
            QCoreApplication::translate("kestrix-cli", "Give either --out FILE or --dir DIR."));
    if (!toFolder) {
        if (all)
            throw UsageError(QCoreApplication::translate("kestrix-cli", "--all goes with --dir."));
        const RecordChoice choice = RecordChoice::from(args);
        const QString out = args.value(QStringLiteral("out"));
        choice.refuseOutput(out);
        auto gob = FileAccess::openForReading(choice.gobPath);
        OutputFile::write(
            out,
            RecordExport::exportOf(*gob, choice.entry, args.number(QStringLiteral("sub"))).bytes);
        ConsolePrompts::report(out);
        return 0;
    }
    if (all == args.has(QStringLiteral("entry")) || args.has(QStringLiteral("sub")))
        throw UsageError(QCoreApplication::translate("kestrix-cli",
                                                     "--dir goes with either --all or --entry K."));

    const QString catalogue = args.required(QStringLiteral("catalogue"));
    QList<int> entries;
    if (!all) {
        entries << args.number(QStringLiteral("entry"));
        catalogueEntry(catalogue, entries.first()); // refuses an entry the catalogue lacks
    }
    const QString folder = args.value(QStringLiteral("dir"));
    const QStringList edited = FolderExport::editedFiles(folder);
    if (!edited.isEmpty() && !args.has(QStringLiteral("overwrite")))
        throw Failure(FailureNumber::FileAccess, Messages::editedFilesNotReplaced(edited));
    const FolderExport::Result result =
        FolderExport::run(catalogue, args.required(QStringLiteral("gob")), entries, folder);
    for (const FolderExport::Refused &refused : result.refused)
        ConsolePrompts::printError(refused.what + QStringLiteral(": ") + refused.reason);
    ConsolePrompts::note(
        Messages::exportDone(int(result.written.size()), FileAccess::displayPath(folder)));
    return result.refused.isEmpty() ? 0 : 1;
}

const Verb exportVerb(
    "export",
    QT_TRANSLATE_NOOP(
        "kestrix-cli",
        "Exports a sub file (--out), or every sub file of an entry or of the catalogue into a "
        "folder "
        "(--dir) with the manifest kestrix-export.tsv. Image records become indexed PNG files with "
        "their palette's alpha; whole-file records the file they hold."),
    RecordChoice::options().mid(0, 2) // the catalogue and the GOB file
        << QList<Option> {{"entry", "K",
                           QT_TRANSLATE_NOOP("kestrix-cli",
                                             "The entry, counting from 0 in list order.")},
                          {"sub", "I",
                           QT_TRANSLATE_NOOP(
                               "kestrix-cli",
                               "The sub file of the entry, counting from 1 (with --out).")},
                          {"out", "FILE",
                           QT_TRANSLATE_NOOP("kestrix-cli", "The file to write for one sub file.")},
                          {"all", "",
                           QT_TRANSLATE_NOOP("kestrix-cli",
                                             "Every entry of the catalogue (with --dir).")},
                          {"dir", "DIR",
                           QT_TRANSLATE_NOOP("kestrix-cli",
                                             "The folder to export into, made when missing.")},
                          {"overwrite", "",
                           QT_TRANSLATE_NOOP("kestrix-cli",
                                             "Replaces files changed since the folder's last "
                                             "export (with --dir).")},
                          quietOption()},
    runExport);

} // namespace
