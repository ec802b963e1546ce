#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include "converter/jpegconversion.h"
#include "services/failure.h"
#include "services/fileidentity.h"
#include "services/messages.h"

#include <QCoreApplication>

namespace {

int runJpg(const Arguments &args)
{
    const QString in = args.required(QStringLiteral("in"));
    const QString target = JpegConversion::withJpgExtension(args.required(QStringLiteral("out")));
    QSize size;
    if (args.has(QStringLiteral("size"))) {
        const QStringList sides = args.value(QStringLiteral("size")).split(u'x');
        if (sides.size() != 2)
            throw UsageError(QCoreApplication::translate(
                "kestrix-cli", "--size takes WIDTHxHEIGHT, for example 640x480."));
        // The converter window's limits, as a usage error naming the option.
        const QString what = QStringLiteral("The %1 of --size");
        size.setWidth(
            Arguments::wholeNumber(sides[0], what.arg(u"width"), 1, JpegConversion::MaxSide));
        size.setHeight(
            Arguments::wholeNumber(sides[1], what.arg(u"height"), 1, JpegConversion::MaxSide));
    }
    FileIdentity::refuseInputs(target, {in});
    const QImage picture = size.isValid()
        ? JpegConversion::loadResized(in, size.width(), size.height(), 0xFFFFFFFF)
        : JpegConversion::loadPicture(in);
    const int status = JpegConversion::saveJpeg(picture, target);
    if (status != 0) {
        ConsolePrompts::printError(target);
        ConsolePrompts::printError(Messages::cannotSaveImage(status));
        return 1;
    }
    ConsolePrompts::report(target);
    return 0;
}

const Verb jpgVerb(
    "jpg",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Converts a bitmap to a JPEG file of quality 100, optionally resized."),
    {{"in", "FILE.bmp", QT_TRANSLATE_NOOP("kestrix-cli", "The bitmap to convert."), Required},
     {"out", "FILE.jpg",
      QT_TRANSLATE_NOOP("kestrix-cli", "The JPEG file to write (.jpg is added when missing)."),
      Required},
     {"size", "WxH",
      QT_TRANSLATE_NOOP("kestrix-cli", "Scales the picture to exactly W x H pixels first.")},
     quietOption()},
    runJpg);

} // namespace
