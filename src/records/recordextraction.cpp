#include "recordextraction.h"

#include "services/blockcopy.h"
#include "services/fileaccess.h"
#include "services/fileidentity.h"
#include "services/outputfile.h"

namespace RecordExtraction {

namespace {

// Closes and deletes the previous scratch bitmap; a failure here is ignored.
void dropScratch(const QString &scratchPath)
{
    MainModule::closeFilesAt(scratchPath);
    QFile::remove(scratchPath);
}

// Writes the first length bytes of the scratch file to target.
void writeCopy(QFile &scratch, const QString &target, qint64 length)
{
    OutputFile out(target);
    BlockCopy::copy(scratch, 0, out.device(), 0, length, BlockCopy::RecordBlock);
    out.commit();
    MainModule::CloseAllFiles();
}

// The 1024-byte colour table of the scratch bitmap from the record's red-green-blue-alpha
// palette: blue, green, red, alpha.
QByteArray colourTable(const QByteArray &palette)
{
    QByteArray table(ImageRecord::PaletteBytes, '\0');
    for (int k = 0; k < ImageRecord::PaletteEntries; ++k) {
        table[4 * k] = palette[4 * k + 2];
        table[4 * k + 1] = palette[4 * k + 1];
        table[4 * k + 2] = palette[4 * k];
        table[4 * k + 3] = palette[4 * k + 3];
    }
    return table;
}

} // namespace

ImageRecord::Size extractImageRecord(const QString &gobPath, qint32 catalogueOffset,
                                     const QString &scratchPath, ImageRecord::Size *stored)
{
    FileIdentity::refuseInputs(scratchPath, {gobPath});
    dropScratch(scratchPath);
    auto gob = FileAccess::openForReading(gobPath);
    const qint64 start = ImageRecord::recordStart(catalogueOffset);
    const ImageRecord::Size size = ImageRecord::readHeader(*gob, start, stored);
    const QByteArray palette = FileAccess::readAt(
        *gob, start + ImageRecord::PixelsOffset + size.pixels(), ImageRecord::PaletteBytes);

    ScratchFile scratch(scratchPath);
    FileAccess::writeAt(scratch.device(), 0, ImageRecord::bitmapHeader(size));
    FileAccess::writeAt(scratch.device(), ImageRecord::BitmapHeaderBytes, colourTable(palette));
    const qint64 from = start + ImageRecord::PixelsOffset;
    if (size.bitmapStride() == size.width) {
        BlockCopy::copy(*gob, from, scratch.device(), ImageRecord::BitmapPixelOffset, size.pixels(),
                        BlockCopy::RecordBlock);
    } else {
        // Each row followed by the zero bytes that pad it to its stride.
        const qint64 stride = size.bitmapStride();
        for (qint64 y = 0; y < size.height; ++y) {
            const qint64 to = ImageRecord::BitmapPixelOffset + y * stride;
            BlockCopy::copy(*gob, from + y * size.width, scratch.device(), to, size.width,
                            BlockCopy::RecordBlock);
            BlockCopy::fillZeros(scratch.device(), to + size.width, stride - size.width, 4);
        }
    }
    scratch.commit();
    MainModule::CloseAllFiles();
    return size;
}

void extractWholeFileRecord(const QString &gobPath, qint32 catalogueOffset, qint32 areaSize,
                            const QString &scratchPath)
{
    FileIdentity::refuseInputs(scratchPath, {gobPath});
    dropScratch(scratchPath);
    auto gob = FileAccess::openForReading(gobPath);
    const qint64 start = ImageRecord::recordStart(catalogueOffset);
    ImageRecord::requireInsideFile(*gob, catalogueOffset, start, areaSize);
    ScratchFile scratch(scratchPath);
    BlockCopy::copy(*gob, start, scratch.device(), 0, areaSize, BlockCopy::RecordBlock);
    scratch.commit();
    MainModule::CloseAllFiles();
}

void saveWholeFileCopy(const QString &scratchPath, const QString &target)
{
    FileIdentity::refuseInputs(target, {scratchPath});
    auto scratch = FileAccess::openForReading(scratchPath);

    // Scan backwards, a block at a time, for the last byte that is not zero.
    qint64 n = 0;
    QByteArray block(BlockCopy::RecordBlock, Qt::Uninitialized);
    for (qint64 end = scratch->size(); end > 0 && n == 0;) {
        const qint64 begin = qMax<qint64>(0, end - BlockCopy::RecordBlock);
        FileAccess::readAt(*scratch, begin, block.data(), end - begin);
        for (qint64 i = end - begin - 1; i >= 0; --i) {
            if (block[i] != '\0') {
                n = begin + i + 1;
                break;
            }
        }
        end = begin;
    }
    writeCopy(*scratch, target, n);
}

void saveBitmapCopy(const QString &scratchPath, const QString &target)
{
    FileIdentity::refuseInputs(target, {scratchPath});
    auto scratch = FileAccess::openForReading(scratchPath);
    writeCopy(*scratch, target, scratch->size());
}

QString bitmapTarget(const QString &chosenPath)
{
    return chosenPath.right(4) == QStringLiteral(".bmp") ? chosenPath
                                                         : chosenPath + QStringLiteral(".bmp");
}

QString wholeFileTarget(const QString &chosenPath, const QString &typeName)
{
    const QString t = typeName.toLower();
    return chosenPath.right(3) == t ? chosenPath : chosenPath + u'.' + t;
}

} // namespace RecordExtraction
