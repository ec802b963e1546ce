#include "cli/arguments.h"
#include "cli/consoleprompts.h"
#include "cli/verbs.h"

#include "records/palettebitmap.h"
#include "services/failure.h"
#include "services/messages.h"
#include "services/numberconversion.h"

namespace {

// An alpha typed as the palette editor takes it: a number from 0 to 255, rounded.
quint8 alphaValue(const QString &text)
{
    const double value = Convert::toNumber(text);
    if (value > 255 || value < 0)
        throw Failure(FailureNumber::TypeMismatch, Messages::numberNotBetween());
    return Convert::toByte(text);
}

} // namespace

int Verbs::alpha(const QStringList &words)
{
    const Arguments args(words, {});
    const bool one = args.has(QStringLiteral("index")) || args.has(QStringLiteral("value"));
    const bool all = args.has(QStringLiteral("all"));
    if (one == all)
        throw Failure(
            FailureNumber::TypeMismatch,
            QStringLiteral("kestrix-cli alpha takes either --index I --value V or --all V."));

    PaletteBitmap bitmap(args.required(QStringLiteral("file")));
    if (all) {
        bitmap.setAllAlpha(alphaValue(args.required(QStringLiteral("all"))));
    } else {
        const QString indexText = args.required(QStringLiteral("index"));
        const quint8 value = alphaValue(args.required(QStringLiteral("value")));
        qint32 index = -1;
        try {
            index = Convert::toInt32(indexText);
        } catch (const Failure &) {
        }
        // Only the entries the colour table holds can be addressed.
        if (index < 0 || index >= bitmap.entries())
            throw Failure(FailureNumber::Overflow,
                          Messages::paletteIndexOutOfRange(indexText, bitmap.entries()));
        bitmap.setAlpha(index, value);
    }
    ConsolePrompts::printError(Messages::done());
    return 0;
}
