#include "messages.h"

#include <QCoreApplication>
#include <QLocale>

namespace Messages {

namespace {
const QString crlf = QStringLiteral("\r\n");

// Every text here belongs to one translation context, "Messages".
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Messages)
};

QString fileCount(int n)
{
    return (n == 1 ? Text::tr("%1 file") : Text::tr("%1 files")).arg(n);
}

QString colourCount(int n)
{
    return (n == 1 ? Text::tr("%1 colour") : Text::tr("%1 colours")).arg(n);
}
} // namespace

QString defaultTitle()
{
    return Text::tr("Kestrix");
}

// The actions the file routines name in fileFailure(), listed here so that they are translated
// with it.
[[maybe_unused]] constexpr const char *FileActions[] = {
    QT_TRANSLATE_NOOP("Messages", "create"),
    QT_TRANSLATE_NOOP("Messages", "create a folder in"),
    QT_TRANSLATE_NOOP("Messages", "create the folder"),
    QT_TRANSLATE_NOOP("Messages", "create the folder for"),
    QT_TRANSLATE_NOOP("Messages", "open"),
    QT_TRANSLATE_NOOP("Messages", "open for writing"),
    QT_TRANSLATE_NOOP("Messages", "read"),
    QT_TRANSLATE_NOOP("Messages", "remove"),
    QT_TRANSLATE_NOOP("Messages", "replace"),
    QT_TRANSLATE_NOOP("Messages", "write"),
};

QString fileFailure(const QString &action, const QString &path, const QString &reason)
{
    return Text::tr("Cannot %1 %2: %3").arg(Text::tr(action.toUtf8().constData()), path, reason);
}

QString folderNotMade()
{
    return Text::tr("the folder could not be made");
}

QString fileDoesNotExist()
{
    return Text::tr("the file does not exist");
}

QString fileNotRemoved()
{
    return Text::tr("the file could not be removed");
}

QString changedWhileRead()
{
    return Text::tr("it changed while it was read");
}

QString onlyTgaReplaced()
{
    return Text::tr("only .tga files are replaced with a change");
}

QString isAFolder()
{
    return Text::tr("it is a folder");
}

QString fileIsEmpty()
{
    return Text::tr("the file is empty");
}

QString typeMismatch()
{
    return Text::tr("Type mismatch");
}

QString overflow()
{
    return Text::tr("Overflow");
}

QString cannotLoadFile()
{
    return Text::tr("Cannot load file");
}

QString saveDialogTitle()
{
    return Text::tr("Select where you want to save");
}

QString bitFields()
{
    return Text::tr("bit fields");
}

QString compressionNumber(qint32 compression)
{
    return Text::tr("compression %1").arg(compression);
}

QString noReplacedFilesLine()
{
    return Text::tr("(no line in Replaced Files.txt)");
}

QString unexpectedEnd(const QString &path, qint64 position, qint64 length)
{
    return Text::tr("%1 ends before byte %2: %3 bytes from byte %4 could not be read.")
        .arg(path)
        .arg(position + length)
        .arg(length)
        .arg(position);
}

QString pathTooLong(const QString &path)
{
    return Text::tr("The path is longer than 254 characters and cannot be used:") + crlf + path;
}

QString outputIsInput(const QString &output, const QString &input)
{
    return Text::tr("%1 was not written: it is the same file as %2, which this command "
                    "reads. Nothing was written.")
        .arg(output, input);
}

QString replaceExisting(const QString &path)
{
    return Text::tr("%1 already exists.").arg(path) + crlf + Text::tr("Do you want to replace it?");
}

QString catalogueMissing(const QString &folder)
{
    return Text::tr("The item catalogue BmpList.txt was not found in %1").arg(folder) + crlf
        + Text::tr("Put BmpList.txt into that folder and start Kestrix again.");
}

QString badBooleanSetting(const QString &key, const QString &value)
{
    return Text::tr("The setting %1 holds \"%2\", which is neither True nor False nor a "
                    "number.")
        .arg(key, value);
}

QString catalogueNoEntries(const QString &path)
{
    return Text::tr("The item catalogue %1 lists no entries after its two header lines.").arg(path);
}

QString catalogueTooShort(const QString &path)
{
    return Text::tr("The item catalogue %1 ends before its two header lines.").arg(path);
}

QString catalogueLineFeedsOnly(const QString &path)
{
    return Text::tr("The lines of the item catalogue %1 end in LF alone; the catalogue needs "
                    "CR LF line ends, as the game's own BmpList.txt has.")
        .arg(path);
}

QString catalogueLineMissing(const QString &path, int lineNumber)
{
    return Text::tr("%1 has no line %2; the catalogue changed since Kestrix started.")
        .arg(path, QString::number(lineNumber));
}

QString catalogueLine(const QString &path, int lineNumber)
{
    return Text::tr("%1 line %2").arg(path, QString::number(lineNumber));
}

QString catalogueLineEmpty(const QString &line)
{
    return Text::tr("%1 is empty.").arg(line);
}

QString catalogueNoDescription(const QString &line)
{
    return Text::tr("%1 has no description after its file type.").arg(line);
}

QString catalogueBadCount(const QString &line, const QString &value)
{
    return Text::tr("%1: the number of sub files \"%2\" is not a whole number from 1 to "
                    "32767.")
        .arg(line, value);
}

QString catalogueTooFewFields(const QString &line, int count, int needed, int found)
{
    return Text::tr("%1: %2 sub files need %3 fields, the line has %4.")
        .arg(line, QString::number(count), QString::number(needed), QString::number(found));
}

QString catalogueBadOffset(const QString &line, int subFile, const QString &value)
{
    return Text::tr("%1: the offset \"%2\" of sub file %3 is not a whole number from 1 to "
                    "2147483647.")
        .arg(line, value, QString::number(subFile));
}

QString catalogueBadSize(const QString &line, int subFile, const QString &value)
{
    return Text::tr("%1: the size \"%2\" of sub file %3 is not a number of kilobytes from 0 "
                    "up.")
        .arg(line, value, QString::number(subFile));
}

QString recordBadSize(qint64 offset, qint32 width, qint32 height)
{
    return Text::tr("The record at offset %1 cannot be an image: its header gives %2 x %3 "
                    "pixels (each side must be at least 1, and at most 16384 x 16384 "
                    "pixels in all).")
        .arg(offset)
        .arg(width)
        .arg(height);
}

QString recordOutsideFile(const QString &gobPath, qint64 offset, qint64 end, qint64 fileSize)
{
    return Text::tr("The record at offset %1 reaches to byte %2, past the end of %3 (%4 "
                    "bytes). Check that the catalogue belongs to this GOB file.")
        .arg(offset)
        .arg(end)
        .arg(gobPath)
        .arg(fileSize);
}

QString selectGobFile()
{
    return Text::tr("Please select torvane_pc.gob file");
}

QString nothingShown()
{
    return Text::tr("No record shown");
}

QString backupTip()
{
    // Only package imports keep a backup; the bitmap and picture imports overwrite in place.
    return Text::tr("Keep a backup package of what a package import (Import as Zip) "
                    "overwrites. Importing a bitmap or a picture keeps no backup.");
}

QString gobFileGone(const QString &path)
{
    return Text::tr("The GOB file %1 is no longer there.").arg(path);
}

QString widthNotSame(const QString &path)
{
    return path + crlf + Text::tr("Width is not same as the image");
}

QString heightNotSame(const QString &path)
{
    return path + crlf + Text::tr("Height is not same as the image");
}

QString not256Colours(const QString &path)
{
    return path + Text::tr(" is not a 256 color image");
}

QString importedSuccessfully()
{
    return Text::tr("Imported Successfully");
}

QString fileSizeTooLong()
{
    return Text::tr("File size is too long");
}

QString imageTypeNotSame()
{
    return Text::tr("Image type are not same");
}

QString notABitmap(const QString &path)
{
    return path + crlf + Text::tr("The file is not a bitmap: it does not start with \"BM\".");
}

QString bitmapHeaderSize(const QString &path, qint32 headerSize)
{
    // 16 and 64 bytes are the two sizes of the OS/2 2.x header, which has no alpha byte.
    if (headerSize == 16 || headerSize == 64)
        return path + crlf
            + Text::tr("The bitmap has an OS/2 2.x header of %1 bytes, with no alpha byte; "
                       "Kestrix reads headers of 12, 40, 52, 56, 108 and 124 bytes. Save it "
                       "as a Windows bitmap and load it again.")
                  .arg(headerSize);
    return path + crlf
        + Text::tr("The bitmap's info header is %1 bytes long; Kestrix reads headers of 12, "
                   "40, 52, 56, 108 and 124 bytes.")
              .arg(headerSize);
}

QString bitmapHeaderTooShort(const QString &path, qint64 length, qint64 needed)
{
    return path + crlf
        + Text::tr("The file is %1 bytes long, too short for the %2 header bytes of a bitmap.")
              .arg(length)
              .arg(needed);
}

QString bitmapCompressed(const QString &path, const QString &compression)
{
    return path + crlf
        + Text::tr("The bitmap is compressed (%1); save it uncompressed and try again.")
              .arg(compression);
}

QString bitmapBitCount(const QString &path, int bits)
{
    return path + crlf
        + Text::tr("The bitmap has %1 bits per pixel; Kestrix reads 1, 4, 8, 16, 24 and 32.")
              .arg(bits);
}

QString bitmapBadSize(const QString &path, qint32 width, qint64 height)
{
    return path + crlf
        + Text::tr("The bitmap says it is %1 x %2 pixels; Kestrix reads bitmaps of 1 to "
                   "16384 x 16384 pixels.")
              .arg(width)
              .arg(height);
}

QString bitmapColourCount(const QString &path, qint32 coloursUsed, int bits)
{
    return path + crlf
        + Text::tr("The bitmap says it uses %1 colors, which %2 bits per pixel cannot name.")
              .arg(coloursUsed)
              .arg(bits);
}

QString bitmapPixelOffsetInHeader(const QString &path, qint64 pixelOffset, qint64 tableEnd)
{
    return path + crlf
        + Text::tr("The bitmap's pixels are said to start at byte %1, inside its headers and "
                   "color table, which end at byte %2.")
              .arg(pixelOffset)
              .arg(tableEnd);
}

QString bitmapPixelsTooShort(const QString &path, qint64 length, qint32 w, qint32 h,
                             qint64 pixelOffset)
{
    return path + crlf
        + Text::tr("The file is %1 bytes long, too short for %2 x %3 pixels from byte %4.")
              .arg(length)
              .arg(w)
              .arg(h)
              .arg(pixelOffset);
}

// A pixel naming an entry past the colours its file holds ("the bitmap's color table").
static QString pixelPastColours(const QString &path, const QString &table, int index, int entries,
                                int x, int y)
{
    return path + crlf
        + Text::tr("The pixel at %1, %2 uses color %3, but %4 holds %5 colors.")
              .arg(x)
              .arg(y)
              .arg(index)
              .arg(table)
              .arg(entries);
}

QString bitmapIndexPastTable(const QString &path, int index, int entries, int x, int y)
{
    return pixelPastColours(path, Text::tr("the bitmap's color table"), index, entries, x, y);
}

QString bitmapBadMasks(const QString &path)
{
    return path + crlf
        + Text::tr("The bitmap's bit fields overlap, have gaps or pass the pixel's bits.");
}

QString bitmapRunPastRow(const QString &path, qint64 offset, qint64 row)
{
    return path + crlf
        + Text::tr("The run at byte %1 passes the end of stored row %2.").arg(offset).arg(row);
}

QString bitmapRunPastPicture(const QString &path, qint64 offset)
{
    return path + crlf + Text::tr("The run at byte %1 passes the end of the picture.").arg(offset);
}

QString bitmapRunsEndEarly(const QString &path, qint64 length)
{
    return path + crlf
        + Text::tr("The file ends at byte %1, before its runs fill the picture.").arg(length);
}

QString pngNotRead(const QString &path, const QString &reason)
{
    return path + crlf + Text::tr("The PNG file is damaged: %1.").arg(reason);
}

QString pngIndexPastPalette(const QString &path, int index, int entries, int x, int y)
{
    return pixelPastColours(path, Text::tr("the PNG file's palette"), index, entries, x, y);
}

QString pictureTooLarge(const QString &path, qint64 width, qint64 height)
{
    return path + crlf
        + Text::tr("The picture is %1 x %2 pixels; Kestrix reads pictures of up to 16384 x "
                   "16384 pixels.")
              .arg(width)
              .arg(height);
}

QString pictureNotOpened(const QString &path, const QString &reason)
{
    return Text::tr("%1 cannot be opened: %2.").arg(path, reason);
}

QString pictureEmpty(const QString &path)
{
    return Text::tr("%1 is empty: it holds no picture.").arg(path);
}

QString confirmTitle()
{
    return Text::tr("Torvane Kestrix      Preview");
}

QString pixelUnderPointer(int x, int y, unsigned int colour, int index)
{
    QString text = Text::tr("x %1, y %2: red %3, green %4, blue %5, alpha %6")
                       .arg(x)
                       .arg(y)
                       .arg((colour >> 16) & 0xffu)
                       .arg((colour >> 8) & 0xffu)
                       .arg(colour & 0xffu)
                       .arg(colour >> 24);
    if (index >= 0)
        text += Text::tr(", index %1").arg(index);
    return text;
}

QString zoomPercent(double scale)
{
    return Text::tr("Zoom %1 %").arg(qRound(scale * 100));
}

QString paletteEditorTitle(const QString &fileName)
{
    return fileName + Text::tr(" \u2014 Format");
}

QString aboutTitle()
{
    return Text::tr("About Kestrix");
}

QString licenceHtml()
{
    return Text::tr(
        "Kestrix is free software: you can redistribute it and/or modify it under the terms of "
        "the <a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">GNU General Public License"
        "</a>, version 3 or (at your option) any later version. It comes with no warranty.");
}

QString mainTitle(const QString &gobName)
{
    const QString title = Text::tr("Torvane Kestrix  V%1.%2.%3")
                              .arg(KESTRIX_VERSION_MAJOR)
                              .arg(KESTRIX_VERSION_MINOR)
                              .arg(KESTRIX_VERSION_PATCH);
    return gobName.isEmpty() ? title : gobName + Text::tr(" \u2014 ") + title;
}

QString statusImported(const QString &record, const QString &gobName)
{
    return Text::tr("Imported %1 into %2").arg(record, gobName);
}

QString statusSaved(const QString &path)
{
    return Text::tr("Saved %1").arg(path);
}

QString statusUndone(const QString &change)
{
    return Text::tr("Undone %1").arg(change);
}

QString statusRedone(const QString &change)
{
    return Text::tr("Redone %1").arg(change);
}

QString notA256ColourBitmap(const QString &path)
{
    return path + crlf + Text::tr("Is not a 256 color bitmap");
}

QString numberNotBetween()
{
    return Text::tr("Number is not between 0-255");
}

QString done()
{
    return Text::tr("Done");
}

QString typeTransparency()
{
    return Text::tr("Type transparency value 255 - 0");
}

QString paletteIndexOutOfRange(const QString &value, int entries)
{
    return Text::tr("The palette index \"%1\" is not a whole number from 0 to %2: the "
                    "bitmap's color table holds %3 colors.")
        .arg(value)
        .arg(entries - 1)
        .arg(entries);
}

QString paletteWithoutAlpha(const QString &path)
{
    return path + crlf
        + Text::tr("The bitmap's color table has 3 bytes a color (an OS/2 bitmap), with no "
                   "byte for transparency; save it as a Windows bitmap and load it again.");
}

QString cannotSaveImage(int status)
{
    return Text::tr("Cannot save the image. GDI+ Error:") + QString::number(status);
}

QString jpegSizeOutOfRange(const QString &which, qint32 value)
{
    // The converter names the side: "width" or "height".
    [[maybe_unused]] constexpr const char *sides[] = {QT_TRANSLATE_NOOP("Messages", "width"),
                                                      QT_TRANSLATE_NOOP("Messages", "height")};
    return Text::tr("The %1 %2 cannot be used: type a whole number of pixels from 1 to 16384.")
        .arg(Text::tr(which.toUtf8().constData()))
        .arg(value);
}

QString cannotLoadPicture(const QString &path)
{
    return Text::tr("Cannot load the picture %1: it is missing or not a bitmap Kestrix can read.")
        .arg(path);
}

QString successfullyDone()
{
    return Text::tr("Sucessfully done");
}

QString zipError(int result)
{
    return QString::number(result) + Text::tr(" error");
}

QString zipError(int result, const QString &reason)
{
    return reason.isEmpty() ? zipError(result) : zipError(result) + crlf + reason;
}

QString notKxZip()
{
    return Text::tr("Its not a KX Zip file");
}

QString importedSucessfully(int moveResult, const QString &backupPath)
{
    const QString text = Text::tr("Imported Sucessfully") + crlf + QString::number(moveResult);
    return backupPath.isEmpty()
        ? text
        : text + crlf + Text::tr("The backup package is %1").arg(backupPath);
}

QString zipComment()
{
    return Text::tr(
        "You need Kestrix version 2 to import the contents of this zip file to the .gob");
}

QString zipLibraryNotice()
{
    return Text::tr(
        "NOTICE :This program uses libzip library to read and write zip file. libzip's software "
        "(a C library for reading, creating and modifying zip archives) is free and can be "
        "obtained as source code or executables from Internet/WWW sites, including "
        "https://libzip.org/");
}

QString selectedItems()
{
    return Text::tr("Selected Items ");
}

QString selectedItems(int count)
{
    return selectedItems() + QString::number(count);
}

QString subItemCount(int count)
{
    return QString::number(count) + Text::tr(" items");
}

QString typeToAddManually()
{
    return Text::tr("Type to add manually") + crlf + Text::tr("Offset,Size(bytes),Description");
}

QString noOtherItems()
{
    return Text::tr("The second line of BmpList.txt lists no other items (each needs a "
                    "caption, a position and a size in kilobytes).");
}

QString itemNeedsThreeFields(const QString &text, const QString &layout)
{
    return Text::tr("\"%1\" was not added: an item needs the three fields %2.").arg(text, layout);
}

QString itemNoDescription(const QString &text)
{
    return Text::tr("\"%1\" was not added: its description is empty.").arg(text);
}

QString itemBadPosition(const QString &text, const QString &position)
{
    return Text::tr("\"%1\" was not added: the position \"%2\" is not a whole number from "
                    "112 to 2147483647 (positions count from 1, and a package stores the "
                    "position less 112).")
        .arg(text, position);
}

QString itemBadSize(const QString &text, const QString &size)
{
    return Text::tr("\"%1\" was not added: the size \"%2\" is no size from 0 to "
                    "2147483647 bytes.")
        .arg(text, size);
}

QString includeReadme()
{
    return Text::tr("Do you want to include a readme");
}

QString selectReadmeTitle()
{
    return Text::tr("Select the readme file");
}

QString selectZipToImportTitle()
{
    return Text::tr("Select the zip file to import");
}

QString replaceQuestionTitle()
{
    return Text::tr("Do you want to replace the following file(s)");
}

QString replacedCount(int count)
{
    return count == 1 ? Text::tr("1 file:") : Text::tr("%1 files:").arg(count);
}

QString passwordPrompt()
{
    return Text::tr("Please Enter The Password!");
}

QString packageItem(int item, const QString &description)
{
    return Text::tr("Item %1 \"%2\"").arg(item).arg(description);
}

QString packageRecord(int record, const QString &line)
{
    return Text::tr("the package's record %1 %2").arg(record).arg(line);
}

QString negativeOffset(const QString &subject, qint64 offset)
{
    return Text::tr("%1 has the package offset %2; a package cannot hold a negative "
                    "offset.")
        .arg(subject)
        .arg(offset);
}

QString negativeSize(const QString &subject, qint64 size)
{
    return Text::tr("%1 has the size %2; a size cannot be negative.").arg(subject).arg(size);
}

QString regionPastEnd(const QString &subject, qint64 start, qint64 end, const QString &gobPath,
                      qint64 gobSize)
{
    return Text::tr("%1 covers the bytes %2 to %3, past the end of %4 (%5 bytes).")
        .arg(subject)
        .arg(start)
        .arg(end - 1)
        .arg(gobPath)
        .arg(gobSize);
}

QString nothingWritten(const QString &reason)
{
    return reason + Text::tr(" Nothing was written.");
}

QString packageRefused(const QString &reason)
{
    return Text::tr("The package was not imported: ") + reason
        + Text::tr(" The GOB file was not changed.");
}

QString fileDataTooShort(const QString &fileData, qint64 length, qint64 needed)
{
    return Text::tr("%1 holds %2 bytes, but the package's records need %3.")
        .arg(fileData)
        .arg(length)
        .arg(needed);
}

QString gobNotWritable(const QString &gobPath)
{
    return Text::tr("%1 cannot be written.").arg(gobPath);
}

QString backupNotWritten(const QString &backupPath, const QString &reason)
{
    return Text::tr("The backup package %1 could not be written (%2), so nothing was "
                    "imported. The GOB file was not changed.")
        .arg(backupPath, reason);
}

QString packageNotUnpacked(const QString &package, int result, const QString &reason)
{
    return Text::tr("%1 could not be unpacked (error %2): %3").arg(package).arg(result).arg(reason);
}

QString packageExpandsTooFar(qint64 bytes, qint64 bound)
{
    return Text::tr("The zip file's entries expand to %1, more than the %2 a package for "
                    "this GOB file can hold; nothing was unpacked.")
        .arg(byteSize(bytes), byteSize(bound));
}

QString entryLongerThanSaid()
{
    return Text::tr("the entry expands past the size its header gives; the zip file is "
                    "damaged.");
}

QString unsafeEntryName(const QString &name)
{
    return Text::tr("The zip file holds the entry \"%1\", whose name points outside the "
                    "folder it is unpacked into; nothing was unpacked.")
        .arg(name);
}

QString entryNameRepeated(const QString &name)
{
    return Text::tr("zip error: the name %1 would be stored twice in the archive").arg(name);
}

QString zipAdding(const QString &name, int percent, bool deflated)
{
    return deflated ? Text::tr("  adding: %1 (deflated %2%)").arg(name).arg(percent)
                    : Text::tr("  adding: %1 (stored 0%)").arg(name);
}

QString zipFileMissing(const QString &path)
{
    return Text::tr("zip error: cannot read %1").arg(path);
}

QString nothingImported()
{
    return Text::tr("Nothing was imported; the GOB file was not changed.");
}

QString noPackageWindow()
{
    return Text::tr("No package window is open to take the item: start Kestrix and open "
                    "More Options (Ctrl+M) first.");
}

QString notAnImage(const QString &path)
{
    return Text::tr("%1 cannot be loaded as an image.").arg(path);
}

QString subFileOfEntry(int entry, int subFile, const QString &gobPath)
{
    return Text::tr("Sub file %1 of entry %2 in %3")
        .arg(QString::number(subFile), QString::number(entry), gobPath);
}

QString imageTypeNotSameAs(qint32 recordWidth, qint32 recordHeight, qint32 recordFormat,
                           qint32 fileWidth, qint32 fileHeight, qint32 fileFormat)
{
    return imageTypeNotSame() + crlf
        + Text::tr("record: %1 x %2, %3; file: %4 x %5, %6")
              .arg(recordWidth)
              .arg(recordHeight)
              .arg(recordFormat)
              .arg(fileWidth)
              .arg(fileHeight)
              .arg(fileFormat);
}

QString rotateValue(const QString &value)
{
    return Text::tr("The option --rotate needs 0, 1, 2 or 3, not \"%1\".").arg(value);
}

QString transparentNotTurned()
{
    return Text::tr(
        "The options --transparent and --rotate cannot be used together: the transparent "
        "preview is never turned.");
}

QString transparentForBitmapsOnly(int entry)
{
    return Text::tr("The transparent preview is for bitmap entries only; entry %1 is a "
                    "whole-file entry.")
        .arg(entry);
}

QString isoTime(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

QString byteSize(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeIecFormat);
}

QString changeNamed(const QString &kind, const QString &description, const QDateTime &time)
{
    return QStringLiteral("%1, %2, %3").arg(kind, description, isoTime(time));
}

QString changeNumbered(int number, const QString &kind, const QString &description,
                       const QDateTime &time)
{
    return QStringLiteral("%1 (%2)").arg(number).arg(changeNamed(kind, description, time));
}

QString changeInterrupted(const QString &gobPath, const QString &change)
{
    return Text::tr("The last change to %1 (%2) was interrupted; the GOB file was put back "
                    "as it was before it.")
        .arg(gobPath, change);
}

QString undoInterrupted(const QString &gobPath, const QString &change)
{
    return Text::tr("The undo of a change to %1 (%2) was interrupted; it was finished, so "
                    "the GOB file is as it was before that change.")
        .arg(gobPath, change);
}

QString historyFileDamaged(const QString &path, const QString &what)
{
    return Text::tr("The history file %1 is damaged: %2").arg(path, what);
}

QString historyHeadUnreadable()
{
    return Text::tr("its first record cannot be read.");
}

QString historyChangeDamaged(const QString &path, const QString &change, const QString &what)
{
    return Text::tr("Change %1 of the history is damaged (%2): %3").arg(change, path, what);
}

QString historyRecordDamaged()
{
    return Text::tr("a record after its old bytes fails its checksum.");
}

QString historyOutOfOrder()
{
    return Text::tr("it is not finished, yet newer changes follow it.");
}

QString historyNotPutBack()
{
    return Text::tr("it was not finished, yet the GOB file no longer holds the bytes it "
                    "kept, so its end was lost.");
}

QString gobReplaced(const QString &gobPath, const QString &change)
{
    return Text::tr("%1 was replaced by another file since change %2 was made; nothing was "
                    "written into it.")
        .arg(gobPath, change);
}

QString undoBarrier(const QString &change)
{
    return Text::tr("Undo cannot pass change %1: its old bytes were not kept. Nothing was "
                    "undone; the GOB file was not changed.")
        .arg(change);
}

QString undoPastDamaged(const QString &aside)
{
    return Text::tr("Undo cannot pass the damaged change kept as %1. Nothing was undone; the "
                    "GOB file was not changed.")
        .arg(aside);
}

QString redoInterrupted(const QString &gobPath, const QString &change)
{
    return Text::tr("The redo of a change to %1 (%2) was interrupted; it was finished, so "
                    "the GOB file holds that change again.")
        .arg(gobPath, change);
}

QString gobNotRedone(const QString &gobPath)
{
    return Text::tr("The bytes written again into %1 do not read back as the change left "
                    "them; the history keeps them to write at the next start.")
        .arg(gobPath);
}

QString gobNotPutBack(const QString &gobPath)
{
    return Text::tr("The old bytes written back into %1 do not read back as they were kept; "
                    "the history keeps them to put back at the next start.")
        .arg(gobPath);
}

QString historyOldBytesDamaged(qint64 position)
{
    return Text::tr("the old bytes at byte %1 of it fail their checksum.").arg(position);
}

QString historyNewBytesDamaged(qint64 position)
{
    return Text::tr("the new bytes at byte %1 of it fail their checksum.").arg(position);
}

QString historySetAside(const QString &damage, const QString &aside)
{
    return damage
        + Text::tr(" Nothing of it was written into the GOB file; it was kept as %1.").arg(aside);
}

QString historyOutsideGob(const QString &path)
{
    return Text::tr("The history file %1 holds bytes past the end of the GOB file, which "
                    "must have been replaced since.")
        .arg(path);
}

QString historyBusy(const QString &gobPath, qint64 pid)
{
    if (pid <= 0)
        return Text::tr("Another Kestrix is changing %1 now; try again when it has finished.")
            .arg(gobPath);
    return Text::tr("Another Kestrix (process %1) is changing %2 now; try again when it has "
                    "finished.")
        .arg(pid)
        .arg(gobPath);
}

QString historyNotWritten(const QString &reason)
{
    return Text::tr("The history could not keep the bytes this change overwrites (%1).")
        .arg(reason);
}

QString changeLargerThanHistory(qint64 size, qint64 limit)
{
    return Text::tr("This change needs %1 of history, more than the %2 the history of a GOB "
                    "file keeps.")
        .arg(byteSize(size), byteSize(limit));
}

QString noRoomForHistory(const QString &folder, qint64 size, qint64 available)
{
    return Text::tr("This change needs %1 of history, but the disk of %2 has only %3 free.")
        .arg(byteSize(size), folder, byteSize(available));
}

QString askWithoutUndo(const QString &reason)
{
    return reason + crlf + crlf + Text::tr("Make the change anyway, without a way to undo it?");
}

QString refusedWithoutUndo(const QString &reason)
{
    return reason
        + Text::tr(" Nothing was written; give --no-undo to make the change without undo.");
}

QString nothingWrittenThisTime()
{
    return Text::tr("Nothing else was written; try again.");
}

QString writeOutsideChange(const QString &gobPath, qint64 start, qint64 end)
{
    return Text::tr("Bytes %1 to %2 of %3 lie outside the regions of the change; nothing "
                    "was written there.")
        .arg(start)
        .arg(end - 1)
        .arg(gobPath);
}

QString nothingToUndo(const QString &gobPath)
{
    return Text::tr("There is no change of %1 to undo.").arg(gobPath);
}

QString nothingUndone()
{
    return Text::tr("Nothing was undone; try again.");
}

QString undoRefused(const QString &gobPath, qint64 start, qint64 end, const QString &change)
{
    return Text::tr("Bytes %1 to %2 of %3 no longer hold what change %4 wrote there: "
                    "something else has written there since. Nothing was undone; the GOB "
                    "file was not changed.")
        .arg(start)
        .arg(end - 1)
        .arg(gobPath, change);
}

QString undone(const QString &change)
{
    return Text::tr("Undone: %1").arg(change);
}

QString nothingToRedo(const QString &gobPath)
{
    return Text::tr("There is no undone change of %1 to redo.").arg(gobPath);
}

QString nothingRedone()
{
    return Text::tr("Nothing was redone; try again.");
}

QString redoNotKept(const QString &change)
{
    return Text::tr("Change %1 cannot be redone: the bytes it wrote were not kept when it "
                    "was undone. Nothing was redone; the GOB file was not changed.")
        .arg(change);
}

QString redoRefused(const QString &gobPath, qint64 start, qint64 end, const QString &change)
{
    return Text::tr("Bytes %1 to %2 of %3 no longer hold what the undo of change %4 left "
                    "there: something else has written there since. Nothing was redone; "
                    "the GOB file was not changed.")
        .arg(start)
        .arg(end - 1)
        .arg(gobPath, change);
}

QString undoFileRefused(const QString &path, const QString &change)
{
    return Text::tr("%1 no longer holds what change %2 put there: something else has "
                    "written it since. Nothing was undone; the GOB file was not changed.")
        .arg(path, change);
}

QString redoFileRefused(const QString &path, const QString &change)
{
    return Text::tr("%1 is no longer as the undo of change %2 left it: something else has "
                    "written it since. Nothing was redone; the GOB file was not changed.")
        .arg(path, change);
}

QString redone(const QString &change)
{
    return Text::tr("Redone: %1").arg(change);
}

namespace {

// An & of the change is no mnemonic.
QString noMnemonic(QString change)
{
    return change.replace(u'&', QStringLiteral("&&"));
}

} // namespace

QString undoCaption(const QString &change)
{
    return Text::tr("&Undo %1").arg(noMnemonic(change));
}

QString undoCaption()
{
    return Text::tr("&Undo");
}

QString redoCaption(const QString &change)
{
    return Text::tr("&Redo %1").arg(noMnemonic(change));
}

QString redoCaption()
{
    return Text::tr("&Redo");
}

QString askUndoBackTo(int number)
{
    return Text::tr("Undo change %1 and every later change, so that the GOB file is as it "
                    "was before change %1?")
        .arg(number);
}

QString historySummary(int changes, qint64 size, qint64 limit, const QDateTime &reach)
{
    const QString kept = Text::tr("The history keeps at most %1 per GOB file; it holds %2 in "
                                  "%3 change(s).")
                             .arg(byteSize(limit), byteSize(size))
                             .arg(changes);
    if (!reach.isValid())
        return kept + Text::tr(" There is nothing to undo.");
    return kept + Text::tr(" Undo reaches back to %1.").arg(isoTime(reach));
}

QString packageHistoryNote(bool applied, const QStringList &overwritten)
{
    QString note;
    if (applied)
        note += crlf + crlf + Text::tr("This package is applied to the GOB file already.");
    if (!overwritten.isEmpty())
        note += crlf + crlf
            + Text::tr("It overwrites these changes of the history: %1.")
                  .arg(overwritten.join(QStringLiteral("; ")));
    return note;
}

QString packageStatusSummary(int applied, int original, int other)
{
    return Text::tr("%1 applied, %2 original, %3 other").arg(applied).arg(original).arg(other);
}

QString importedExact()
{
    return Text::tr("exact");
}

QString importedPaletteKept()
{
    return Text::tr("record palette kept");
}

QString importedQuantized(int colours, double meanError)
{
    return Text::tr("quantized to %1, mean error %2")
        .arg(colourCount(colours))
        .arg(meanError, 0, 'f', 2);
}

QString pngNotMade(int width, int height)
{
    return Text::tr("The PNG file of a %1 x %2 picture could not be made.").arg(width).arg(height);
}

QString quantizingFailed(int code)
{
    return Text::tr("The picture could not be reduced to 256 colours (libimagequant error "
                    "%1).")
        .arg(code);
}

QString regionsOverlap(const QString &gobPath, qint64 offset, qint64 otherOffset)
{
    return Text::tr("The records at offsets %1 and %2 of %3 overlap; nothing was written.")
        .arg(offset)
        .arg(otherOffset)
        .arg(gobPath);
}

QString manifestMissing(const QString &folder)
{
    return Text::tr("%1 holds no kestrix-export.tsv: only a folder that Kestrix exported "
                    "can be imported.")
        .arg(folder);
}

QString manifestNotOurs(const QString &path)
{
    return Text::tr("%1 does not begin with the header line of an export.").arg(path);
}

QString manifestLine(int lineNumber, const QString &problem)
{
    return Text::tr("line %1: %2").arg(lineNumber).arg(problem);
}

QString manifestFieldCount(int count)
{
    return Text::tr("%1 fields instead of 6 separated by tabs").arg(count);
}

QString manifestBadName(const QString &name)
{
    return Text::tr("\"%1\" is not the name of a file in the folder").arg(name);
}

QString manifestBadNumbers(const QString &name)
{
    return Text::tr("the entry, sub file or offset of %1 is not a number").arg(name);
}

QString manifestBadRows(const QString &value)
{
    return Text::tr("the rows field is \"%1\", not \"top\" or \"bottom\"").arg(value);
}

QString manifestBadHash(const QString &name)
{
    return Text::tr("the sha256 of %1 is not 64 hexadecimal digits").arg(name);
}

QString exportedEntry(int entry)
{
    return Text::tr("Entry %1").arg(entry);
}

QString exportedSubFile(int entry, int subFile)
{
    return Text::tr("Entry %1, sub file %2").arg(entry).arg(subFile);
}

QString exportedFileMissing()
{
    return Text::tr("The file is missing or cannot be read.");
}

QString recordNotInCatalogue(int entry, int subFile, qint32 offset)
{
    return Text::tr("The catalogue no longer has sub file %1 of entry %2 at offset %3.")
        .arg(subFile)
        .arg(entry)
        .arg(offset);
}

QString recordNamedTwice(const QString &name)
{
    return Text::tr("Its record is changed by %1 already.").arg(name);
}

QString notInManifest()
{
    return Text::tr("Not in kestrix-export.tsv; skipped.");
}

QString nothingToImport()
{
    return Text::tr("Nothing to import");
}

QString importFolderQuestion(int count)
{
    return count == 1 ? Text::tr("Write the changed file into the GOB file?")
                      : Text::tr("Write the %1 changed files into the GOB file?").arg(count);
}

QString editedFilesQuestion(const QStringList &names)
{
    return Text::tr("These files were changed since they were exported:\r\n%1\r\nReplace "
                    "them with the records as the GOB file holds them? No keeps them and "
                    "exports the rest.")
        .arg(names.join(QStringLiteral("\r\n")));
}

QString editedFilesNotReplaced(const QStringList &names)
{
    return Text::tr("These files were changed since they were exported:\r\n%1\r\nNothing "
                    "was exported; give --overwrite to replace them.")
        .arg(names.join(QStringLiteral("\r\n")));
}

QString noAlphaToKeep(const QString &path)
{
    return path + crlf
        + Text::tr("The picture has no alpha bytes, so there is no alpha to keep; import it "
                   "without --keep-alpha.");
}

QString exportDone(int written, const QString &folder)
{
    return Text::tr("%1 exported to %2").arg(fileCount(written), folder);
}

QString exportStopped(int written, const QString &folder)
{
    return Text::tr("Export stopped: %1 exported to %2").arg(fileCount(written), folder);
}

QString importFolderTitle()
{
    return Text::tr("Import Folder");
}

QString exportFolderTitle()
{
    return Text::tr("Select the folder to export into");
}

QString exportAllTitle()
{
    return Text::tr("Export All");
}

QString removeNotFound(const QString &what, const QString &gobPath)
{
    return Text::tr("No package \"%1\" is applied to %2: give the number or the name that "
                    "the installed packages list.")
        .arg(what, gobPath);
}

QString removeDropped(qint64 number, qint64 oldestKept, const QString &gobPath)
{
    return Text::tr("Change %1 can no longer be removed: the history limit dropped it (the "
                    "history of %2 keeps changes from %3 on). Nothing was written.")
        .arg(number)
        .arg(gobPath)
        .arg(oldestKept);
}

QString removeNotPackage(const QString &change)
{
    return Text::tr("Change %1 is no package; undo it instead.").arg(change);
}

QString removeNotApplied(const QString &change, const QString &state)
{
    return Text::tr("Change %1 is %2: there is nothing to remove.").arg(change, state);
}

QString removeAlreadyRemoved(const QString &change, const QString &removal)
{
    return Text::tr("Change %1 was removed already by change %2.").arg(change, removal);
}

QString removeLost(const QString &package, const QString &removal)
{
    return Text::tr("Change %1 can no longer be removed: change %2 took out a package whose "
                    "change the history limit has dropped since, so what lay there before "
                    "that package is not known. Nothing was written.")
        .arg(package, removal);
}

QString removeBlocked(const QString &change)
{
    return Text::tr("Cannot remove past change %1: its old bytes were not kept. Nothing was "
                    "written.")
        .arg(change);
}

QString removeRefused(const QString &gobPath, qint64 start, qint64 end, const QString &change)
{
    return Text::tr("Bytes %1 to %2 of %3 do not hold what the history says change %4 "
                    "left there: something outside Kestrix has written there. Nothing was "
                    "written.")
        .arg(start)
        .arg(end - 1)
        .arg(gobPath, change);
}

QString historyChangedMeanwhile()
{
    return Text::tr("Another program changed the history meanwhile. Nothing was written; "
                    "try again.");
}

QString removed(const QString &package, qint64 bytes)
{
    return Text::tr("Removed %1: %2 put back.").arg(package, byteSize(bytes));
}

QString installedDropped(qint64 oldestKept)
{
    return Text::tr("Packages applied before change %1 cannot be removed: the history limit "
                    "dropped their changes.")
        .arg(oldestKept);
}

QString askRemovePackage(const QString &number, const QString &name)
{
    return Text::tr("Remove package %1 (%2)? The bytes that lay there before it go back, "
                    "except where a later change has written since. Undo puts it back.")
        .arg(number, name);
}

QString previewLooking(int items)
{
    return Text::tr("Looking at %1 item(s)… Nothing is written before Apply.").arg(items);
}

QString previewSummary(int newItems, int same, int conflicts)
{
    return Text::tr("%1 new item(s), %2 already in place (skipped), %3 conflicting with "
                    "a change of the history. Nothing is written before Apply.")
        .arg(newItems)
        .arg(same)
        .arg(conflicts);
}

QString dryRunSummary(int newItems, int same, int conflicts)
{
    return Text::tr("%1 new, %2 same, %3 conflicting; nothing was written.")
        .arg(newItems)
        .arg(same)
        .arg(conflicts);
}

QString skippedItems(int same, int conflicts)
{
    return Text::tr("Skipped %1 item(s) already in place and %2 conflicting item(s).")
        .arg(same)
        .arg(conflicts);
}

} // namespace Messages
