#include "cli/consoledisplay.h"
#include "cli/inputfile.h"
#include "cli/noundo.h"
#include "cli/verb.h"

#include "packages/packageimport.h"
#include "services/failure.h"
#include "services/gamefolder.h"
#include "services/messages.h"

#include <QTemporaryDir>

namespace {

int runApply(const Arguments &args)
{
    const std::unique_ptr<QTemporaryDir> folder = ConsoleDisplay::workFolder();
    ImportRequest request;
    request.packagePath = args.required(QStringLiteral("package"));
    requireInputFile(request.packagePath);
    request.gobPath = args.required(QStringLiteral("gob"));
    request.tempFolder = folder->path();
    request.backup = args.has(QStringLiteral("backup"));
    request.batsFolder =
        args.value(QStringLiteral("bats"), GameFolder::batsFolderOf(request.gobPath));
    request.withoutUndo = NoUndo::from(args);

    ConsoleDisplay display;
    ConsolePrompts prompts(args.has(QStringLiteral("yes")));
    PackageContext context {prompts, nullptr, display};
    try {
        const ImportOutcome outcome = PackageImport::run(request, context);
        if (!outcome.imported)
            return 1;
        if (!outcome.backupPath.isEmpty())
            ConsolePrompts::report(outcome.backupPath);
        return 0;
    } catch (const Failure &failure) {
        if (!failure.isCancel())
            throw;
        ConsolePrompts::printError(Messages::nothingImported());
        return 1;
    }
}

const Verb applyVerb(
    "apply", "Imports a package into the GOB file, after listing the replaced items and asking.",
    {{"gob", "FILE", "The GOB file, changed in place.", Required},
     {"package", "FILE.zip", "The package to import.", Required},
     {"backup", "", "First writes what the package replaces to FILE_backup.zip."},
     {"bats", "DIR", "Where .tga files go (default: the bats folder beside the GOB file's data)."},
     {"yes", "", "Imports without asking."},
     NoUndo::option(),
     quietOption()},
    runApply);

} // namespace
