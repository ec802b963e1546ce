#include "messages.h"

namespace Messages {

namespace {
const QString crlf = QStringLiteral("\r\n");
}

QString defaultTitle()
{
    return QStringLiteral("Kestrix");
}

QString fileFailure(const QString &action, const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot %1 %2: %3").arg(action, path, reason);
}

QString unexpectedEnd(const QString &path, qint64 position, qint64 length)
{
    return QStringLiteral("%1 ends before byte %2: %3 bytes from byte %4 could not be read.")
        .arg(path)
        .arg(position + length)
        .arg(length)
        .arg(position);
}

QString pathTooLong(const QString &path)
{
    return QStringLiteral("The path is longer than 254 characters and cannot be used:") + crlf
        + path;
}

QString catalogueMissing(const QString &folder)
{
    return QStringLiteral("The item catalogue BmpList.txt was not found in %1").arg(folder) + crlf
        + QStringLiteral("Put BmpList.txt into that folder and start Kestrix again.");
}

QString badBooleanSetting(const QString &key, const QString &value)
{
    return QStringLiteral("The setting %1 holds \"%2\", which is neither True nor False nor a "
                          "number.")
        .arg(key, value);
}

QString catalogueNoEntries(const QString &path)
{
    return QStringLiteral("The item catalogue %1 lists no entries after its two header lines.")
        .arg(path);
}

QString catalogueTooShort(const QString &path)
{
    return QStringLiteral("The item catalogue %1 ends before its two header lines.").arg(path);
}

QString catalogueLineMissing(int lineNumber)
{
    return QStringLiteral(
               "BmpList.txt has no line %1; the catalogue changed since Kestrix started.")
        .arg(lineNumber);
}

QString catalogueLineEmpty(int lineNumber)
{
    return QStringLiteral("BmpList.txt line %1 is empty.").arg(lineNumber);
}

QString catalogueNoDescription(int lineNumber)
{
    return QStringLiteral("BmpList.txt line %1 has no description after its file type.")
        .arg(lineNumber);
}

QString catalogueBadCount(int lineNumber, const QString &value)
{
    return QStringLiteral("BmpList.txt line %1: the number of sub files \"%2\" is not a whole "
                          "number from 1 to 32767.")
        .arg(lineNumber)
        .arg(value);
}

QString catalogueTooFewFields(int lineNumber, int count, int needed, int found)
{
    return QStringLiteral("BmpList.txt line %1: %2 sub files need %3 fields, the line has %4.")
        .arg(lineNumber)
        .arg(count)
        .arg(needed)
        .arg(found);
}

QString catalogueBadOffset(int lineNumber, int subFile, const QString &value)
{
    return QStringLiteral("BmpList.txt line %1: the offset \"%2\" of sub file %3 is not a whole "
                          "number from 1 to 2147483647.")
        .arg(lineNumber)
        .arg(value)
        .arg(subFile);
}

QString catalogueBadSize(int lineNumber, int subFile, const QString &value)
{
    return QStringLiteral("BmpList.txt line %1: the size \"%2\" of sub file %3 is not a number of "
                          "kilobytes from 0 up.")
        .arg(lineNumber)
        .arg(value)
        .arg(subFile);
}

QString recordBadSize(qint64 offset, qint32 width, qint32 height)
{
    return QStringLiteral("The record at offset %1 cannot be an image: its header gives %2 x %3 "
                          "pixels (each side must be at least 1, and at most 16384 x 16384 "
                          "pixels in all).")
        .arg(offset)
        .arg(width)
        .arg(height);
}

QString recordOutsideFile(const QString &gobPath, qint64 offset, qint64 end, qint64 fileSize)
{
    return QStringLiteral("The record at offset %1 reaches to byte %2, past the end of %3 (%4 "
                          "bytes). Check that the catalogue belongs to this GOB file.")
        .arg(offset)
        .arg(end)
        .arg(gobPath)
        .arg(fileSize);
}

QString selectGobFile()
{
    return QStringLiteral("Please select torvane_pc.gob file");
}

QString widthNotSame(const QString &path)
{
    return path + crlf + QStringLiteral("Width is not same as the image");
}

QString heightNotSame(const QString &path)
{
    return path + crlf + QStringLiteral("Height is not same as the image");
}

QString not256Colours(const QString &path)
{
    return path + QStringLiteral(" is not a 256 color image");
}

QString importedSuccessfully()
{
    return QStringLiteral("Imported Successfully");
}

QString fileSizeTooLong()
{
    return QStringLiteral("File size is too long");
}

QString imageTypeNotSame()
{
    return QStringLiteral("Image type are not same");
}

QString bitmapHeaderTooShort(const QString &path, qint64 length)
{
    return path + crlf
        + QStringLiteral(
              "The file is %1 bytes long, too short for the 54 header bytes of a bitmap.")
              .arg(length);
}

QString bitmapCompressed(const QString &path, qint32 compression)
{
    return path + crlf
        + QStringLiteral("The bitmap is compressed (compression %1); only uncompressed 256 color "
                         "bitmaps can be imported.")
              .arg(compression);
}

QString bitmapColourCount(const QString &path, qint32 coloursUsed)
{
    return path + crlf
        + QStringLiteral("The bitmap says it uses %1 colors; a record's palette holds 256.")
              .arg(coloursUsed);
}

QString bitmapPixelOffsetInHeader(const QString &path, qint32 pixelOffset)
{
    return path + crlf
        + QStringLiteral("The bitmap's pixels are said to start at byte %1, inside its 54 header "
                         "bytes.")
              .arg(pixelOffset);
}

QString bitmapTableTooShort(const QString &path, qint64 length, int count)
{
    return path + crlf
        + QStringLiteral("The file is %1 bytes long, too short for its color table of %2 colors "
                         "from byte 54.")
              .arg(length)
              .arg(count);
}

QString bitmapPixelsTooShort(const QString &path, qint64 length, qint32 w, qint32 h,
                             qint32 pixelOffset)
{
    return path + crlf
        + QStringLiteral("The file is %1 bytes long, too short for %2 x %3 pixels from byte %4.")
              .arg(length)
              .arg(w)
              .arg(h)
              .arg(pixelOffset);
}

QString confirmTitle()
{
    return QStringLiteral("Torvane Kestrix      Preview");
}

QString notA256ColourBitmap(const QString &path)
{
    return path + crlf + QStringLiteral("Is not a 256 color bitmap");
}

QString numberNotBetween()
{
    return QStringLiteral("Number is not between 0-255");
}

QString done()
{
    return QStringLiteral("Done");
}

QString typeTransparency()
{
    return QStringLiteral("Type transparency value 255 - 0");
}

QString paletteIndexOutOfRange(const QString &value)
{
    return QStringLiteral("The palette index \"%1\" is not a whole number from 0 to 255.").arg(value);
}

QString paletteFileTooShort(const QString &path, qint64 needed)
{
    return QStringLiteral("%1 is shorter than its colour table: a 256 color bitmap needs at least "
                          "%2 bytes.")
        .arg(path)
        .arg(needed);
}

QString cannotSaveImage(int status)
{
    return QStringLiteral("Cannot save the image. GDI+ Error:") + QString::number(status);
}

QString jpegSizeOutOfRange(const QString &which, qint32 value)
{
    return QStringLiteral("The %1 %2 cannot be used: type a whole number of pixels from 1 to 16384.")
        .arg(which)
        .arg(value);
}

QString cannotLoadPicture(const QString &path)
{
    return QStringLiteral("Cannot load the picture %1: it is missing or not a bitmap Kestrix can read.")
        .arg(path);
}

QString successfullyDone()
{
    return QStringLiteral("Sucessfully done");
}

QString zipError(int result)
{
    return QString::number(result) + QStringLiteral(" error");
}

QString notKxZip()
{
    return QStringLiteral("Its not a KX Zip file");
}

QString importedSucessfully(int moveResult)
{
    return QStringLiteral("Imported Sucessfully") + crlf + QString::number(moveResult);
}

QString zipComment()
{
    return QStringLiteral(
        "You need Kestrix version 2 to import the contents of this zip file to the .gob");
}

QString notAnImage(const QString &path)
{
    return QStringLiteral("%1 cannot be loaded as an image.").arg(path);
}

QString imageTypeNotSameAs(qint32 recordWidth, qint32 recordHeight, qint32 recordFormat,
                           qint32 fileWidth, qint32 fileHeight, qint32 fileFormat)
{
    return imageTypeNotSame() + crlf
        + QStringLiteral("record: %1 x %2, %3; file: %4 x %5, %6")
              .arg(recordWidth)
              .arg(recordHeight)
              .arg(recordFormat)
              .arg(fileWidth)
              .arg(fileHeight)
              .arg(fileFormat);
}

QString rotateValue(const QString &value)
{
    return QStringLiteral("The option --rotate needs 0, 1, 2 or 3, not \"%1\".").arg(value);
}

QString transparentNotTurned()
{
    return QStringLiteral(
        "The options --transparent and --rotate cannot be used together: the transparent "
        "preview is never turned.");
}

QString transparentForBitmapsOnly(int entry)
{
    return QStringLiteral("The transparent preview is for bitmap entries only; entry %1 is a "
                          "whole-file entry.")
        .arg(entry);
}

} // namespace Messages
