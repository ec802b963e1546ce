#include "cli/arguments.h"
#include "cli/consoleprompts.h"
#include "cli/verbs.h"

#include "converter/jpegconversion.h"
#include "services/failure.h"
#include "services/fileidentity.h"
#include "services/messages.h"
#include "services/numberconversion.h"

int Verbs::jpg(const QStringList &words)
{
    const Arguments args(words, {});
    const QString in = args.required(QStringLiteral("in"));
    const QString target = JpegConversion::withJpgExtension(args.required(QStringLiteral("out")));
    FileIdentity::refuseInputs(target, {in});
    QImage picture = JpegConversion::loadPicture(in);
    if (args.has(QStringLiteral("size"))) {
        const QStringList sides = args.value(QStringLiteral("size")).split(u'x');
        if (sides.size() != 2)
            throw Failure(FailureNumber::TypeMismatch,
                          QStringLiteral("--size takes WIDTHxHEIGHT, for example 640x480."));
        const qint32 width = Convert::toInt32(sides[0]);
        const qint32 height = Convert::toInt32(sides[1]);
        JpegConversion::checkSize(width, height);
        picture = JpegConversion::resized(picture, width, height, 0xFFFFFFFF);
    }
    const int status = JpegConversion::saveJpeg(picture, target);
    ConsolePrompts::printError(target);
    if (status != 0) {
        ConsolePrompts::printError(Messages::cannotSaveImage(status));
        return 1;
    }
    return 0;
}
