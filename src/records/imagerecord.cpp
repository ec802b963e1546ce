#include "imagerecord.h"

#include "services/bitmaplayout.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/littleendian.h"
#include "services/messages.h"

namespace ImageRecord {

qint64 Size::bitmapStride() const
{
    return BitmapLayout::paddedStride(width, 8);
}

void requireInsideFile(const QFile &file, qint64 catalogueOffset, qint64 start, qint64 length)
{
    const qint64 size = file.size();
    if (start < 0 || length < 0 || start + length > size)
        throw Failure(FailureNumber::BadRecord,
                      Messages::recordOutsideFile(FileAccess::displayPath(file.fileName()),
                                                  catalogueOffset, start + length, size));
}

Size readHeader(QFile &gob, qint64 start, Size *stored)
{
    const qint64 catalogueOffset = start + 1;
    requireInsideFile(gob, catalogueOffset, start, PixelsOffset);
    char bytes[8];
    FileAccess::readAt(gob, start + WidthOffset, bytes, 8);
    Size size {LittleEndian::int32At(bytes), LittleEndian::int32At(bytes + 4)};
    if (stored)
        *stored = size;
    if (size.width < 1 || size.height < 1 || size.pixels() > MaxPixels)
        throw Failure(FailureNumber::BadRecord,
                      Messages::recordBadSize(catalogueOffset, size.width, size.height));
    requireInsideFile(gob, catalogueOffset, start, size.recordBytes());
    return size;
}

QByteArray bitmapHeader(Size size)
{
    QByteArray header(BitmapHeaderBytes, '\0');
    char *h = header.data();
    h[0] = 'B';
    h[1] = 'M';
    LittleEndian::putInt32(h + 2, qint32(size.bitmapPixelBytes() + BitmapPixelOffset));
    LittleEndian::putInt32(h + 10, qint32(BitmapPixelOffset));
    LittleEndian::putInt32(h + 14, 40);
    LittleEndian::putInt32(h + 18, size.width);
    LittleEndian::putInt32(h + 22, size.height);
    LittleEndian::putUint16(h + 26, 1);
    LittleEndian::putUint16(h + 28, 8);
    LittleEndian::putInt32(h + 34, qint32(size.bitmapPixelBytes()));
    return header;
}

} // namespace ImageRecord
