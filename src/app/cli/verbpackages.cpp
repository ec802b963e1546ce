#include "cli/consoleprompts.h"
#include "cli/recordoutput.h"
#include "cli/verb.h"

#include "library/installedpackages.h"
#include "library/packageremoval.h"
#include "services/messages.h"
#include "session/gobsession.h"

namespace {

// One line per package applied and not taken out: number, name, time, items, items holding
// its bytes still.
int runPackages(const Arguments &args)
{
    const QString gob = args.required(QStringLiteral("gob"));
    RecordOutput out(args, {"number", "name", "time", "items", "holding"},
                     {"number", "items", "holding"});
    for (const InstalledPackages::Package &p : InstalledPackages::of(gob))
        out.add({QString::number(p.number), p.name, p.time.toUTC().toString(Qt::ISODate),
                 QString::number(p.items), QString::number(p.holding)});
    out.finish();
    const QString dropped = InstalledPackages::droppedNote(gob);
    if (!dropped.isEmpty())
        ConsolePrompts::note(dropped);
    return 0;
}

int runRemove(const Arguments &args)
{
    GobSession session;
    session.openForCommand(args.required(QStringLiteral("gob")), QString(), QString());
    const PackageRemoval::Outcome outcome =
        session.removePackage(args.required(QStringLiteral("package")));
    ConsolePrompts::note(Messages::removed(outcome.removed.shown(), outcome.bytesPutBack));
    return 0;
}

const Verb packagesVerb(
    "packages",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Lists the packages applied to the GOB file that its history keeps: "
                      "number, name, time, items, and how many of them still hold its bytes."),
    {{"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file."), Required},
     RecordOutput::option()},
    runPackages);

const Verb removeVerb(
    "remove",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Takes one applied package out of the GOB file, whichever came after it; "
                      "later changes keep their bytes. Undo puts it back."),
    {{"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file, changed in place."), Required},
     {"package", "NAME|NUMBER",
      QT_TRANSLATE_NOOP("kestrix-cli",
                        "The package's file name or its number, as packages lists them."),
      Required},
     quietOption()},
    runRemove);

} // namespace
