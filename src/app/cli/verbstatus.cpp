#include "cli/consoledisplay.h"
#include "cli/inputfile.h"
#include "cli/recordoutput.h"
#include "cli/verb.h"

#include "packages/packagefiles.h"
#include "packages/packageimport.h"
#include "packages/packagestatus.h"
#include "services/messages.h"

namespace {

// One line per item of the package: number, applied / original / other, description; then the
// counts.
int runStatus(const Arguments &args)
{
    RecordOutput out(args, {"number", "state", "description"}, {"number"});
    const QString gob = args.required(QStringLiteral("gob"));
    const QString package = args.required(QStringLiteral("package"));
    requireInputFile(package);
    const std::unique_ptr<QTemporaryDir> folder = ConsoleDisplay::workFolder();
    ConsoleDisplay display;
    ConsolePrompts prompts;
    PackageContext context {prompts, nullptr, display};
    const std::optional<PackageContents> contents =
        PackageImport::unpack(package, folder->path(), context);
    if (!contents)
        return 1;
    const QList<PackageStatus::Item> items =
        PackageStatus::of(*contents, PackageFiles::readReplacedFiles(contents->replacedFiles), gob);
    int count[3] = {0, 0, 0};
    for (const PackageStatus::Item &item : items) {
        ++count[int(item.state)];
        out.add({QString::number(item.number), PackageStatus::nameOf(item.state),
                 PackageFiles::unquoted(item.description)});
    }
    out.finish();
    ConsolePrompts::printError(Messages::packageStatusSummary(count[0], count[1], count[2]));
    return 0;
}

const Verb statusVerb(
    "status",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Says of each item of a package whether the GOB file holds its bytes "
                      "(applied), the bytes from before every change of the history (original) "
                      "or something else (other)."),
    {{"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file."), Required},
     {"package", "FILE.zip", QT_TRANSLATE_NOOP("kestrix-cli", "The package."), Required},
     RecordOutput::option()},
    runStatus);

} // namespace
