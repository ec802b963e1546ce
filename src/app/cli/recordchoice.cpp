#include "recordchoice.h"

#include "records/catalogue.h"
#include "records/recordextraction.h"
#include "services/failure.h"
#include "services/fileidentity.h"

CatalogueEntry catalogueEntry(const QString &cataloguePath, int k)
{
    const Catalogue catalogue = Catalogue::read(cataloguePath);
    if (k < 0 || k >= catalogue.entryCount())
        throw Failure(FailureNumber::BadCatalogue,
                      QStringLiteral("The catalogue has no entry %1; it lists entries 0 to %2.")
                          .arg(k)
                          .arg(catalogue.entryCount() - 1));
    return catalogue.entry(k);
}

void requireSubFile(const CatalogueEntry &entry, const QString &entryText, int sub)
{
    if (sub < 1 || sub > entry.count())
        throw Failure(FailureNumber::BadCatalogue,
                      QStringLiteral("Entry %1 has no sub file %2; its sub files are 1 to %3.")
                          .arg(entryText)
                          .arg(sub)
                          .arg(entry.count()));
}

RecordChoice RecordChoice::from(const Arguments &args)
{
    RecordChoice choice;
    choice.entry = catalogueEntry(args.required(QStringLiteral("catalogue")),
                                  args.number(QStringLiteral("entry")));
    const int sub = args.number(QStringLiteral("sub"));
    requireSubFile(choice.entry, args.value(QStringLiteral("entry")), sub);
    choice.subFile = choice.entry.subFile(sub);
    choice.name = choice.entry.recordName(sub);
    choice.gobPath = args.required(QStringLiteral("gob"));
    choice.cataloguePath = args.required(QStringLiteral("catalogue"));
    return choice;
}

QList<Option> RecordChoice::options()
{
    return {{"catalogue", "FILE",
             QT_TRANSLATE_NOOP("kestrix-cli", "The item catalogue (BmpList.txt)."), Required},
            {"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file."), Required},
            {"entry", "K",
             QT_TRANSLATE_NOOP("kestrix-cli", "The entry, counting from 0 in list order."),
             Required},
            {"sub", "I",
             QT_TRANSLATE_NOOP("kestrix-cli", "The sub file of the entry, counting from 1."),
             Required}};
}

void RecordChoice::extractTo(const QString &scratch) const
{
    if (entry.isWholeFile())
        RecordExtraction::extractWholeFileRecord(gobPath, subFile.offset, subFile.areaSize,
                                                 scratch);
    else
        RecordExtraction::extractImageRecord(gobPath, subFile.offset, scratch);
}

void RecordChoice::refuseOutput(const QString &out) const
{
    FileIdentity::refuseInputs(out, {gobPath, cataloguePath});
}
