#include "cli/consoleprompts.h"
#include "cli/recordchoice.h"
#include "cli/verb.h"

#include "records/catalogue.h"

namespace {

int runList(const Arguments &args)
{
    const QString path = args.required(QStringLiteral("catalogue"));
    const QChar tab = u'\t';

    if (args.has(QStringLiteral("entry"))) {
        const CatalogueEntry entry = catalogueEntry(path, args.number(QStringLiteral("entry")));
        for (int i = 1; i <= entry.count(); ++i) {
            const SubFile &sub = entry.subFile(i);
            ConsolePrompts::print(QString::number(i) + tab + QString::number(sub.offset) + tab
                                  + QString::number(sub.areaSize) + tab + sub.caption);
        }
        return 0;
    }

    const Catalogue catalogue = Catalogue::read(path);
    for (int k = 0; k < catalogue.entryCount(); ++k) {
        const CatalogueEntry entry = CatalogueEntry::parse(
            Catalogue::splitFields(catalogue.entryLine(k)), Catalogue::lineNumberOfEntry(k));
        const QString kind = entry.isWholeFile() ? QStringLiteral("file:") + entry.typeName()
                                                 : QStringLiteral("bitmap");
        ConsolePrompts::print(QString::number(k) + tab + kind + tab + QString::number(entry.count())
                              + tab + entry.description());
    }
    return 0;
}

const Verb listVerb("list",
                    "Lists the entries (index, kind bitmap or file:TYPE, sub-file count, "
                    "description), or the sub files of entry K (number, catalogue offset, area "
                    "bytes, caption).",
                    {{"catalogue", "FILE", "The item catalogue (BmpList.txt).", Required},
                     {"entry", "K", "The entry, counting from 0 in list order."}},
                    runList);

} // namespace
