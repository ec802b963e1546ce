#include "cli/consoleprompts.h"
#include "cli/noundo.h"
#include "cli/verb.h"

#include "services/messages.h"
#include "session/gobsession.h"

namespace {

// Lists what the folder changes, asks once, and writes every change together.
int runImportDir(const Arguments &args)
{
    const QString catalogue = args.required(QStringLiteral("catalogue"));
    const QString gob = args.required(QStringLiteral("gob"));
    GobSession session;
    session.openForCommand(gob, catalogue, QString());
    FolderImport::Plan plan = session.checkFolder(args.required(QStringLiteral("dir")));
    for (const FolderImport::Change &change : plan.changes)
        ConsolePrompts::printRecord({QStringLiteral("import"), change.line.name, change.outcome});
    for (const FolderImport::Skipped &refused : plan.refused)
        ConsolePrompts::printRecord({QStringLiteral("refused"), refused.name, refused.reason});
    for (const QString &name : plan.unlisted)
        ConsolePrompts::printRecord({QStringLiteral("unlisted"), name, Messages::notInManifest()});
    const int status = plan.refused.isEmpty() ? 0 : 1;
    if (plan.changes.isEmpty()) {
        ConsolePrompts::printError(Messages::nothingToImport());
        return status;
    }
    ConsolePrompts prompts(args.has(QStringLiteral("yes")));
    if (prompts.askYesNo(nullptr, Messages::importFolderQuestion(int(plan.changes.size())),
                         Messages::importFolderTitle(), Answer::No)
        != Answer::Yes) {
        ConsolePrompts::printError(Messages::nothingImported());
        return 1;
    }
    session.importFolder(plan, NoUndo::from(args));
    ConsolePrompts::note(Messages::importedSuccessfully());
    return status;
}

const Verb importDirVerb(
    "import-dir",
    QT_TRANSLATE_NOOP(
        "kestrix-cli",
        "Writes the files of an exported folder that changed since the export back into their "
        "records, as one change of the history, after listing them (import, refused or unlisted, "
        "tab-separated) "
        "and asking."),
    {{"catalogue", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The item catalogue (BmpList.txt)."),
      Required},
     {"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file, changed in place."), Required},
     {"dir", "DIR",
      QT_TRANSLATE_NOOP("kestrix-cli", "The folder an export wrote, with its kestrix-export.tsv."),
      Required},
     {"yes", "", QT_TRANSLATE_NOOP("kestrix-cli", "Writes without asking.")},
     NoUndo::option(),
     quietOption()},
    runImportDir);

} // namespace
