// Fuzzes the catalogue reader: the whole file as the list reads it, and one selected line as
// the selection parses it. A line is either refused with a Failure or parsed into an entry
// whose every field is usable.
#include "records/catalogue.h"
#include "records/catalogueentry.h"
#include "records/otheritems.h"
#include "services/failure.h"

#include <cstdlib>

#define REQUIRE(condition) \
    do {                   \
        if (!(condition))  \
            std::abort();  \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Catalogue catalogue;
    try {
        catalogue = Catalogue::fromBytes(bytes, QStringLiteral("BmpList.txt"));
    } catch (const Failure &) {
        return 0;
    }
    try {
        const QStringList texts = catalogue.displayTexts();
        REQUIRE(texts.size() == catalogue.entryCount());
    } catch (const Failure &f) {
        REQUIRE(f.description().contains(QStringLiteral("line")));
    }
    for (const OtherItem &item : parseOtherItems(catalogue.otherItemsLine())) {
        try {
            item.position();
            item.sizeBytes();
        } catch (const Failure &) {
        }
    }
    for (int k = 0; k < catalogue.entryCount(); ++k) {
        const QString &line = catalogue.entryLine(k);
        REQUIRE(!line.contains(u'\r'));
        try {
            const CatalogueEntry entry = CatalogueEntry::parse(
                Catalogue::splitFields(line), Catalogue::lineNumberOfEntry(k), catalogue.path());
            REQUIRE(entry.count() >= 1);
            const int stride = entry.isWholeFile() ? 3 : 2;
            REQUIRE(entry.fields().size() >= stride + stride * entry.count());
            for (const SubFile &sub : entry.subFiles()) {
                REQUIRE(sub.offset >= 1);
                REQUIRE(sub.areaSize >= 0);
                REQUIRE(entry.isWholeFile() || sub.areaSize == 0);
            }
        } catch (const Failure &f) {
            REQUIRE(f.number() == FailureNumber::BadCatalogue);
            REQUIRE(f.description().contains(
                QStringLiteral("line %1").arg(Catalogue::lineNumberOfEntry(k))));
        }
    }
    return 0;
}
