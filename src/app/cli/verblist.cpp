#include "cli/consoleprompts.h"
#include "cli/recordchoice.h"
#include "cli/recordoutput.h"
#include "cli/verb.h"

#include "records/catalogue.h"
#include "services/failure.h"

namespace {

int runList(const Arguments &args)
{
    const QString path = args.required(QStringLiteral("catalogue"));

    if (args.has(QStringLiteral("entry"))) {
        RecordOutput out(args, {"number", "offset", "size", "caption"},
                         {"number", "offset", "size"});
        const CatalogueEntry entry = catalogueEntry(path, args.number(QStringLiteral("entry")));
        for (int i = 1; i <= entry.count(); ++i) {
            const SubFile &sub = entry.subFile(i);
            out.add({QString::number(i), QString::number(sub.offset), QString::number(sub.areaSize),
                     sub.caption});
        }
        out.finish();
        return 0;
    }

    // As the window lists every line, a malformed line is reported and the entries after it
    // are still listed, under their own numbers; a file of which no line could be read (not a
    // catalogue at all) is a failure. Each row is out as its line is read.
    RecordOutput out(args, {"index", "kind", "count", "description"}, {"index", "count"});
    int listed = 0;
    Catalogue::forEachEntryLine(path, [&](int k, QStringView line) {
        try {
            // The sub files are checked, so that a malformed line is still reported, but
            // neither they nor their captions are kept: the listing shows only their count.
            const CatalogueEntry entry = CatalogueEntry::parse(
                line, Catalogue::lineNumberOfEntry(k), path, CatalogueEntry::SubFiles::Counted);
            out.add(
                {NumberField(k), entry.kind(), NumberField(entry.count()), entry.description()});
            ++listed;
        } catch (const Failure &failure) {
            ConsolePrompts::printError(failure.description());
        }
    });
    out.finish();
    return listed > 0 ? 0 : 1;
}

const Verb listVerb(
    "list",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Lists the entries (index, kind bitmap or file:TYPE, sub-file count, "
                      "description), or the sub files of entry K (number, catalogue offset, area "
                      "bytes, caption). Control characters in a field are written \\n, \\r, \\t, "
                      "\\xHH and a backslash \\\\."),
    {{"catalogue", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The item catalogue (BmpList.txt)."),
      Required},
     {"entry", "K", QT_TRANSLATE_NOOP("kestrix-cli", "The entry, counting from 0 in list order.")},
     RecordOutput::option()},
    runList);

} // namespace
