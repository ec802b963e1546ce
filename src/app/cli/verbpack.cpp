#include "cli/consoledisplay.h"
#include "cli/recordchoice.h"
#include "cli/verb.h"

#include "packages/packagemake.h"
#include "packages/zipservice.h"
#include "services/failure.h"
#include "services/messages.h"

#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// "K:I" names sub file I (from 1) of entry K (from 0), added as the package window's ">" adds
// it; anything else is a command "description|position|size".
PackageItem itemOf(const QString &word, const Arguments &args)
{
    static const QRegularExpression subFile(QStringLiteral("^(\\d+):(\\d+)$"));
    const QRegularExpressionMatch match = subFile.match(word);
    if (!match.hasMatch())
        return PackageItem::fromCommand(word);
    const QString what = QStringLiteral("The item \"%1\"").arg(word);
    const qint32 k = Arguments::wholeNumber(match.captured(1), what);
    const qint32 sub = Arguments::wholeNumber(match.captured(2), what);
    const CatalogueEntry entry = catalogueEntry(args.required(QStringLiteral("catalogue")), k);
    requireSubFile(entry, match.captured(1), sub);
    return PackageItem::fromSubFile(entry, sub, args.required(QStringLiteral("gob")));
}

int runPack(const Arguments &args)
{
    const QString gob = args.required(QStringLiteral("gob"));
    const QString out = args.required(QStringLiteral("out"));
    QList<PackageItem> items;
    for (const QString &word : args.plain())
        items << itemOf(word, args);

    PackageMake::checkItems(gob, items);
    const std::unique_ptr<QTemporaryDir> folder = ConsoleDisplay::workFolder();
    ConsoleDisplay display;
    ConsolePrompts prompts;
    PackageContext context {prompts, nullptr, display};
    const QStringList files = PackageMake::writeFiles(gob, items, folder->path(), display);
    try {
        PackageMake::writeArchive(out, files, args.value(QStringLiteral("readme")), gob, context,
                                  args.value(QStringLiteral("catalogue")));
    } catch (const ZipFailure &failure) {
        ConsolePrompts::printError(Messages::zipError(failure.result(), failure.description()));
        return 1;
    }
    ConsolePrompts::report(VBZipBas::archivePathFor(out));
    return 0;
}

const Verb packVerb(
    "pack",
    QT_TRANSLATE_NOOP("kestrix-cli", "Makes a package of the items' bytes in the GOB file."),
    {{"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file to read."), Required},
     {"out", "FILE.zip",
      QT_TRANSLATE_NOOP("kestrix-cli", "The package to write (.zip is added when missing)."),
      Required},
     {"catalogue", "FILE",
      QT_TRANSLATE_NOOP("kestrix-cli", "The item catalogue, for items named K:I.")},
     {"readme", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "A readme to add to the package.")},
     quietOption()},
    runPack,
    {"ITEM...",
     QT_TRANSLATE_NOOP("kestrix-cli",
                       "\"description|position|size\", or K:I for sub file I of entry K."),
     1, -1});

} // namespace
