#include "cli/consoleprompts.h"
#include "cli/inputfile.h"
#include "cli/noundo.h"
#include "cli/recordchoice.h"
#include "cli/verb.h"

#include "pictures/pictureimport.h"
#include "records/bitmapimport.h"
#include "records/pngimport.h"
#include "services/bitmaplayout.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/imagefile.h"
#include "services/messages.h"

namespace {

// Writes a bitmap or image file into the record with the window's checks: first the
// confirmation's comparison with the record as extracted (of size and pixel format, of size
// only where any picture is taken), then the import's own checks; only then is the GOB file
// opened for writing. For an image record it prints what it did with the picture.
int runImport(const Arguments &args)
{
    const RecordChoice choice = RecordChoice::from(args);
    const QString file = args.required(QStringLiteral("file"));
    requireInputFile(file, true);

    QTemporaryDir dir = workFolder();
    QString scratch = dir.filePath(QStringLiteral("temp.bmp"));
    choice.extractTo(scratch);
    // Headers only: the import reads the pixels itself and refuses what it cannot take.
    const ImageFile::Info record = ImageFile::info(scratch).value_or(ImageFile::Info {});
    QString refusal;
    const std::optional<ImageFile::Info> chosen = ImageFile::info(file, &refusal);
    if (!chosen)
        throw Failure(FailureNumber::BitmapMismatch, refusal);
    // An image record takes any picture of its size; an 8-bit bitmap as it is, with its alpha
    // bytes only when asked.
    const bool anyPicture = !choice.entry.isWholeFile() && !PictureImport::isBitmap8(file);
    if (args.has(QStringLiteral("keep-alpha"))) {
        const bool alpha = anyPicture ? ImageFile::read(file).image.hasAlphaChannel()
                                      : BitmapLayout::read(file).hasAlphaBytes();
        if (!alpha)
            throw Failure(FailureNumber::BitmapMismatch,
                          Messages::noAlphaToKeep(FileAccess::displayPath(file)));
    }
    if ((record.pixelFormat != chosen->pixelFormat && !anyPicture) || record.width != chosen->width
        || record.height != chosen->height)
        throw Failure(FailureNumber::BitmapMismatch,
                      Messages::imageTypeNotSameAs(record.width, record.height, record.pixelFormat,
                                                   chosen->width, chosen->height,
                                                   chosen->pixelFormat));

    if (choice.entry.isWholeFile()) {
        PngImport::Plan plan =
            PngImport::check(choice.gobPath, choice.subFile.offset, choice.subFile.areaSize, file);
        plan.description = choice.name;
        plan.withoutUndo = NoUndo::from(args);
        PngImport::write(plan);
        return 0;
    }
    if (anyPicture) {
        PictureImport::Plan plan =
            PictureImport::check(choice.gobPath, choice.subFile.offset, file);
        plan.name = choice.name;
        plan.withoutUndo = NoUndo::from(args);
        PictureImport::write(plan);
        ConsolePrompts::report(plan.description());
    } else {
        BitmapImport::Plan plan = BitmapImport::check(choice.gobPath, choice.subFile.offset, file);
        plan.description = choice.name;
        plan.withoutUndo = NoUndo::from(args);
        BitmapImport::write(plan, args.has(QStringLiteral("keep-alpha")));
        ConsolePrompts::report(Messages::importedExact());
    }
    ConsolePrompts::note(Messages::importedSuccessfully());
    return 0;
}

const Verb
    importVerb("import",
               "Writes a bitmap or image file into the record, with the window's checks; for an "
               "image record prints \"exact\", \"record palette kept\" or \"quantized to N "
               "colours, mean error E\".",
               RecordChoice::options()
                   << Option {"file", "FILE", "The bitmap or image file to write.", Required}
                   << Option {"keep-alpha", "", "Keeps the bitmap's alpha bytes (else opaque)."}
                   << NoUndo::option() << quietOption(),
               runImport);

} // namespace
