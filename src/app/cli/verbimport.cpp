#include "cli/consoledisplay.h"
#include "cli/consoleprompts.h"
#include "cli/inputfile.h"
#include "cli/noundo.h"
#include "cli/recordchoice.h"
#include "cli/verb.h"

#include "pictures/pictureimport.h"
#include "services/bitmaplayout.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/imagefile.h"
#include "services/messages.h"
#include "services/pixelformat.h"
#include "session/gobsession.h"

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

    // Nothing is shown, so an image record is not copied out: its header tells its size, and
    // its copy would be an 8-bit bitmap of that size. A whole-file record is copied out to
    // read the picture it holds.
    std::unique_ptr<QTemporaryDir> dir;
    if (choice.entry.isWholeFile())
        dir = ConsoleDisplay::workFolder();
    GobSession session;
    session.openForCommand(choice.gobPath, choice.cataloguePath, dir ? dir->path() : QString());
    session.selectEntry(choice.entry);
    session.chooseSubFile(args.number(QStringLiteral("sub")));
    // Headers only: the import reads the pixels itself and refuses what it cannot take.
    ImageFile::Info record; // an area that holds no picture compares as 0 x 0
    if (!dir) {
        record = {session.selection().width, session.selection().height, PixelFormat::Indexed8};
    } else {
        try {
            record = ImageFile::info(dir->filePath(QStringLiteral("temp.bmp")));
        } catch (const Failure &) {
        }
    }
    // The chosen file's headers, read once; a bitmap whose rows lie readable is not decoded.
    const BitmapLayout layout = BitmapLayout::read(file);
    const ImageFile::Info chosen = ImageFile::info(file, layout);
    // An image record takes any picture of its size; an 8-bit bitmap as it is, with its alpha
    // bytes only when asked.
    const bool anyPicture = !choice.entry.isWholeFile() && !PictureImport::isBitmap8(layout);
    ReplacePlan plan = session.replacePlan(file);
    plan.keepAlpha = args.has(QStringLiteral("keep-alpha"));
    if (plan.keepAlpha) {
        const bool alpha =
            anyPicture ? ImageFile::read(file).image.hasAlphaChannel() : layout.hasAlphaBytes();
        if (!alpha)
            throw Failure(FailureNumber::BitmapMismatch,
                          Messages::noAlphaToKeep(FileAccess::displayPath(file)));
    }
    if ((record.pixelFormat != chosen.pixelFormat && !anyPicture) || record.width != chosen.width
        || record.height != chosen.height)
        throw Failure(FailureNumber::BitmapMismatch,
                      Messages::imageTypeNotSameAs(record.width, record.height, record.pixelFormat,
                                                   chosen.width, chosen.height,
                                                   chosen.pixelFormat));

    if (anyPicture)
        plan.picture = PictureImport::check(choice.gobPath, choice.subFile.offset, file);
    session.replace(plan, NoUndo::from(args));
    if (choice.entry.isWholeFile())
        return 0;
    ConsolePrompts::report(plan.picture ? plan.picture->description() : Messages::importedExact());
    ConsolePrompts::note(Messages::importedSuccessfully());
    return 0;
}

const Verb importVerb(
    "import",
    QT_TRANSLATE_NOOP(
        "kestrix-cli",
        "Writes a bitmap or image file into the record, with the window's checks; for an "
        "image record prints \"exact\", \"record palette kept\" or \"quantized to N "
        "colours, mean error E\"."),
    RecordChoice::options()
        << Option {"file", "FILE",
                   QT_TRANSLATE_NOOP("kestrix-cli", "The bitmap or image file to write."), Required}
        << Option {"keep-alpha", "",
                   QT_TRANSLATE_NOOP("kestrix-cli",
                                     "Keeps the bitmap's alpha bytes (else opaque).")}
        << NoUndo::option() << quietOption(),
    runImport);

} // namespace
