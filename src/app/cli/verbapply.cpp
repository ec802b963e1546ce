#include "cli/arguments.h"
#include "cli/consoledisplay.h"
#include "cli/verbs.h"

#include "packages/packageimport.h"
#include "services/failure.h"
#include "services/gamefolder.h"
#include "services/messages.h"

#include <QTemporaryDir>

int Verbs::apply(const QStringList &words)
{
    const Arguments args(words, {QStringLiteral("backup"), QStringLiteral("yes")});
    const std::unique_ptr<QTemporaryDir> folder = ConsoleDisplay::workFolder();
    ImportRequest request;
    request.packagePath = args.required(QStringLiteral("package"));
    request.gobPath = args.required(QStringLiteral("gob"));
    request.tempFolder = folder->path();
    request.backup = args.has(QStringLiteral("backup"));
    request.batsFolder =
        args.value(QStringLiteral("bats"), GameFolder::batsFolderOf(request.gobPath));

    ConsoleDisplay display;
    ConsolePrompts prompts(args.has(QStringLiteral("yes")));
    PackageContext context {prompts, nullptr, display};
    try {
        const ImportOutcome outcome = PackageImport::run(request, context);
        if (!outcome.imported)
            return 1;
        if (!outcome.backupPath.isEmpty())
            ConsolePrompts::print(outcome.backupPath);
        return 0;
    } catch (const Failure &failure) {
        if (!failure.isCancel())
            throw;
        ConsolePrompts::printError(Messages::nothingImported());
        return 1;
    }
}
