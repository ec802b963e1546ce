#include "cli/consoleprompts.h"
#include "cli/recordoutput.h"
#include "cli/verb.h"

#include "history/gobhistory.h"
#include "services/messages.h"

namespace {

// One change a line, newest first; the limit and how far back undo reaches on standard error.
int runHistory(const Arguments &args)
{
    RecordOutput out(args, {"number", "time", "kind", "state", "bytes", "description"},
                     {"number", "bytes"});
    const GobHistory history(args.required(QStringLiteral("gob")));
    const QList<ChangeFile> changes = history.changes();
    for (qsizetype i = changes.size() - 1; i >= 0; --i) {
        const ChangeHeader &h = changes[i].header();
        out.add({QString::number(changes[i].sequence()), Messages::isoTime(h.time), nameOf(h.kind),
                 nameOf(changes[i].state()), QString::number(h.bytes()), h.description});
    }
    out.finish();
    ConsolePrompts::printError(history.summary());
    return 0;
}

const Verb historyVerb(
    "history",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Lists the changes the history keeps of the GOB file, newest first: "
                      "number, time, kind, state, bytes written, description."),
    {{"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file."), Required},
     RecordOutput::option()},
    runHistory);

} // namespace
