#include "cli/consoledisplay.h"
#include "cli/inputfile.h"
#include "cli/noundo.h"
#include "cli/recordoutput.h"
#include "cli/verb.h"

#include "library/packagedryrun.h"
#include "packages/packagefiles.h"

#include "packages/packageimport.h"
#include "services/failure.h"
#include "services/gamefolder.h"
#include "services/messages.h"
#include "session/gobsession.h"

#include <QTemporaryDir>

namespace {

// What the package would write, item by item, without writing: number, place, new / same /
// conflict, the change it conflicts with. Returns the numbers of the conflicting items.
QSet<qint64> dryRun(const Arguments &args, const QString &package, const QString &gob, bool print)
{
    const std::unique_ptr<QTemporaryDir> folder = ConsoleDisplay::workFolder();
    ConsoleDisplay display;
    ConsolePrompts prompts;
    PackageContext context {prompts, nullptr, display};
    const std::optional<PackageContents> contents =
        PackageImport::unpack(package, folder->path(), context, gob);
    if (!contents)
        throw Failure(FailureNumber::BadRecord, Messages::nothingImported());
    const QList<PackageDryRun::Item> items =
        PackageDryRun::of(*contents, PackageFiles::readReplacedFiles(contents->replacedFiles), gob);
    QSet<qint64> conflicts;
    int count[3] = {0, 0, 0};
    std::optional<RecordOutput> out;
    if (print)
        out.emplace(args, QStringList {"number", "place", "state", "conflict"},
                    QStringList {"number"});
    for (const PackageDryRun::Item &item : items) {
        ++count[int(item.state)];
        if (item.state == PackageDryRun::State::Conflict)
            conflicts.insert(item.number);
        if (out)
            out->add({QString::number(item.number), PackageDryRun::placeOf(item),
                      PackageDryRun::nameOf(item.state), item.conflict});
    }
    if (out) {
        out->finish();
        ConsolePrompts::printError(Messages::dryRunSummary(count[0], count[1], count[2]));
    }
    return conflicts;
}

int runApply(const Arguments &args)
{
    if (args.has(QStringLiteral("dry-run"))) {
        requireInputFile(args.required(QStringLiteral("package")));
        dryRun(args, args.required(QStringLiteral("package")), args.required(QStringLiteral("gob")),
               true);
        return 0;
    }
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
    GobSession session;
    session.openForCommand(request.gobPath, QString(), QString());
    if (args.has(QStringLiteral("skip-conflicts")))
        request.skip = dryRun(args, request.packagePath, request.gobPath, false);

    ConsoleDisplay display;
    ConsolePrompts prompts(args.has(QStringLiteral("yes")));
    PackageContext context {prompts, nullptr, display};
    try {
        const ImportOutcome outcome = session.importPackage(request, context);
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
    "apply",
    QT_TRANSLATE_NOOP(
        "kestrix-cli",
        "Imports a package into the GOB file, after listing the replaced items and asking."),
    {{"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file, changed in place."), Required},
     {"package", "FILE.zip", QT_TRANSLATE_NOOP("kestrix-cli", "The package to import."), Required},
     {"backup", "",
      QT_TRANSLATE_NOOP("kestrix-cli",
                        "First writes what the package replaces to FILE_backup.zip.")},
     {"bats", "DIR",
      QT_TRANSLATE_NOOP(
          "kestrix-cli",
          "Where .tga files go (default: the bats folder beside the GOB file's data).")},
     {"yes", "", QT_TRANSLATE_NOOP("kestrix-cli", "Imports without asking.")},
     {"dry-run", "",
      QT_TRANSLATE_NOOP(
          "kestrix-cli",
          "Writes nothing: prints each item's number, place, state (new, same: its bytes are there "
          "already, conflict) and the change it conflicts with.")},
     {"skip-conflicts", "",
      QT_TRANSLATE_NOOP("kestrix-cli",
                        "Leaves out the items that conflict with a change of the history.")},
     RecordOutput::option(),
     NoUndo::option(),
     quietOption()},
    runApply);

} // namespace
