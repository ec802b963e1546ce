#include "cli/consoledisplay.h"
#include "cli/consoleprompts.h"
#include "cli/recordchoice.h"
#include "cli/recordoutput.h"
#include "cli/verb.h"

#include "services/canvas.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/imaging.h"
#include "services/messages.h"
#include "services/outputfile.h"
#include "services/recordpreview.h"

#include <QBuffer>

namespace {

// Draws the sub file as the main window's preview shows it, through the same routine and the
// same kind of canvas, and saves the drawn part as a PNG file.
int runPreview(const Arguments &args)
{
    const bool transparent = args.has(QStringLiteral("transparent"));
    int rotation = 0;
    if (args.has(QStringLiteral("rotate"))) {
        const QString value = args.value(QStringLiteral("rotate"));
        if (value.size() != 1 || value[0] < u'0' || value[0] > u'3')
            throw UsageError(Messages::rotateValue(value));
        rotation = value[0].digitValue();
        if (transparent)
            throw UsageError(Messages::transparentNotTurned());
    }
    const RecordChoice choice = RecordChoice::from(args);
    const QString out = args.required(QStringLiteral("out"));
    choice.refuseOutput(out);
    if (transparent && choice.entry.isWholeFile())
        throw Failure(FailureNumber::TypeMismatch,
                      Messages::transparentForBitmapsOnly(args.number(QStringLiteral("entry"))));

    const std::unique_ptr<QTemporaryDir> dir = ConsoleDisplay::workFolder();
    QString scratch = dir->filePath(QStringLiteral("temp.bmp"));
    choice.extractTo(scratch);

    Canvas canvas(QSize(1, 1), QColor::fromRgb(MainModule::PreviewBackground));
    canvas.setGrowing(true);
    if (transparent) {
        RecordPreview::drawTransparent(canvas, scratch);
    } else {
        qint32 width = 0, height = 0;
        RecordPreview::drawTurned(canvas, choice.entry.isWholeFile(), rotation, width, height,
                                  scratch);
    }
    if (canvas.drawnSize().isEmpty())
        throw Failure(FailureNumber::BadRecord,
                      Messages::notAnImage(Messages::subFileOfEntry(
                          args.number(QStringLiteral("entry")), args.number(QStringLiteral("sub")),
                          FileAccess::displayPath(choice.gobPath))));

    // The drawn part without the canvas's alpha; when the drawing fills the canvas, the canvas
    // itself is converted in place instead of copied twice.
    QImage picture;
    if (canvas.drawnSize() == canvas.size())
        picture = std::move(canvas.surface());
    else
        picture = canvas.image().copy(QRect(QPoint(0, 0), canvas.drawnSize()));
    picture.convertTo(QImage::Format_RGB32);
    QByteArray png;
    QBuffer buffer(&png); // the encoder opens it
    if (!picture.save(&buffer, "PNG"))
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("write"), FileAccess::displayPath(out),
                                            QStringLiteral("the PNG encoder failed")));
    OutputFile::write(out, png);
    ConsolePrompts::report(out);
    return 0;
}

// Width, height and pixel-format value of an image file.
int runInfo(const Arguments &args)
{
    RecordOutput out(args, {"width", "height", "format"}, {"width", "height", "format"});
    QString path = args.plain().first();
    qint32 width = 0, height = 0, pixelFormat = 0;
    MainModule::GetImageInfo(width, height, pixelFormat, path, true);
    out.add({QString::number(width), QString::number(height), QString::number(pixelFormat)});
    out.finish();
    return 0;
}

const Verb previewVerb(
    "preview",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Draws the sub file as the main window's preview shows it, into a PNG file."),
    RecordChoice::options()
        << Option {"rotate", "0|1|2|3",
                   QT_TRANSLATE_NOOP("kestrix-cli",
                                     "Turns it by that many quarter turns, as the View menu does.")}
        << Option {"transparent", "",
                   QT_TRANSLATE_NOOP("kestrix-cli",
                                     "Shows its palette transparency (bitmap entries only).")}
        << Option {"out", "FILE.png", QT_TRANSLATE_NOOP("kestrix-cli", "The PNG file to write."),
                   Required}
        << quietOption(),
    runPreview);
const Verb
    infoVerb("info",
             QT_TRANSLATE_NOOP("kestrix-cli",
                               "Prints the width, height and pixel-format value of an image file."),
             {RecordOutput::option()}, runInfo,
             {"FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The image file."), 1, 1});

} // namespace
