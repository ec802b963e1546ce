#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "records/palettebitmap.h"
#include "services/failure.h"
#include "services/messages.h"

#include <QCoreApplication>

namespace {

int runAlpha(const Arguments &args)
{
    const bool one = args.has(QStringLiteral("index")) || args.has(QStringLiteral("value"));
    const bool all = args.has(QStringLiteral("all"));
    if (one == all)
        throw UsageError(QCoreApplication::translate(
            "kestrix-cli", "Give either --index I --value V or --all V."));

    const qint32 index = all ? -1 : args.number(QStringLiteral("index"));
    const quint8 value =
        quint8(args.number(all ? QStringLiteral("all") : QStringLiteral("value"), 0, 255));

    PaletteBitmap bitmap(args.required(QStringLiteral("file")));
    if (all) {
        bitmap.setAllAlpha(value);
    } else {
        // Only the entries the colour table holds can be addressed.
        if (index < 0 || index >= bitmap.entries())
            throw Failure(FailureNumber::Overflow,
                          Messages::paletteIndexOutOfRange(args.value(QStringLiteral("index")),
                                                           bitmap.entries()));
        bitmap.setAlpha(index, value);
    }
    ConsolePrompts::note(Messages::done());
    return 0;
}

const Verb alphaVerb(
    "alpha",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Sets the alpha of palette colour I of an 8-bit bitmap to V, or of every "
                      "colour with --all (0 transparent, 255 opaque)."),
    {{"file", "FILE.bmp", QT_TRANSLATE_NOOP("kestrix-cli", "The bitmap, changed in place."),
      Required},
     {"index", "I",
      QT_TRANSLATE_NOOP(
          "kestrix-cli",
          "The palette colour, from 0 to one less than the colours the table holds.")},
     {"value", "V", QT_TRANSLATE_NOOP("kestrix-cli", "Its alpha, 0 to 255.")},
     {"all", "V", QT_TRANSLATE_NOOP("kestrix-cli", "The alpha of every colour, 0 to 255.")},
     quietOption()},
    runAlpha);

} // namespace
