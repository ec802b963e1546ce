#include "cli/noundo.h"

#include "services/failure.h"
#include "services/messages.h"

namespace NoUndo {

Option option()
{
    return {QStringLiteral("no-undo"), QString(),
            QString::fromUtf8(QT_TRANSLATE_NOOP(
                "kestrix-cli", "Makes a change too large for the history without undo."))};
}

WithoutUndo from(const Arguments &args)
{
    if (args.has(QStringLiteral("no-undo")))
        return [](const QString &) {};
    return [](const QString &reason) {
        throw Failure(FailureNumber::FileAccess, Messages::refusedWithoutUndo(reason));
    };
}

} // namespace NoUndo
