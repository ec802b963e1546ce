#include "bitmaplayout.h"

#include "failure.h"
#include "littleendian.h"
#include "messages.h"

#include <QFile>

#include <limits>

namespace {

// The longest headers: 124 bytes, longer than a 40-byte one with 16 bytes of bit fields.
constexpr qint64 HeadBytes = BitmapLayout::FileHeaderBytes + 124;

constexpr qint32 NoCompression = 0;
constexpr qint32 RunLength8 = 1;
constexpr qint32 RunLength4 = 2;
constexpr qint32 BitFields = 3;
constexpr qint32 AlphaBitFields = 6;

bool knownHeaderSize(qint32 size)
{
    for (qint32 known : {12, 40, 52, 56, 108, 124})
        if (size == known)
            return true;
    return false;
}

// Bit fields belong to 16 and 32 bits per pixel, run-length 8 and 4 to 8 and 4 bits; everything
// else must be stored plainly.
bool compressionTaken(quint16 bits, qint32 compression)
{
    if (bits == 16 || bits == 32)
        return compression == NoCompression || compression == BitFields
            || compression == AlphaBitFields;
    return compression == NoCompression || (bits == 8 && compression == RunLength8)
        || (bits == 4 && compression == RunLength4);
}

QString compressionName(qint32 compression)
{
    switch (compression) {
    case 1:
    case 2:
        return QStringLiteral("RLE");
    case BitFields:
    case AlphaBitFields:
        return Messages::bitFields();
    case 4:
        return QStringLiteral("JPEG");
    case 5:
        return QStringLiteral("PNG");
    default:
        return Messages::compressionNumber(compression);
    }
}

} // namespace

qint64 BitmapLayout::paddedStride(qint64 width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

BitmapLayout BitmapLayout::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return BitmapLayout();
    return read(file);
}

BitmapLayout BitmapLayout::read(QFile &file)
{
    BitmapLayout l;
    l.fileSize = file.size();
    if (!file.seek(0))
        return l;
    QByteArray head = file.read(HeadBytes);
    if (!head.startsWith("BM"))
        return l;
    l.problem = Problem::HeaderCut;
    l.tableOffset = FileHeaderBytes + 4; // until the header size is known: what is needed
    if (head.size() < l.tableOffset)
        return l;
    const char *h = head.constData();
    l.headerSize = LittleEndian::int32At(h + 14);
    if (!knownHeaderSize(l.headerSize)) {
        l.problem = Problem::HeaderSize;
        return l;
    }
    const bool core = l.headerSize == 12;
    if (!core && head.size() >= 34)
        l.compression = LittleEndian::int32At(h + 30);
    // A 40-byte header keeps its bit fields in the 12 or 16 bytes after it.
    qint64 headerEnd = FileHeaderBytes + l.headerSize;
    if (l.headerSize == 40 && l.compression == BitFields)
        headerEnd += 12;
    else if (l.headerSize == 40 && l.compression == AlphaBitFields)
        headerEnd += 16;
    l.tableOffset = headerEnd;
    if (head.size() < headerEnd)
        return l;
    head.resize(HeadBytes, '\0');
    h = head.constData();

    l.pixelOffset = quint32(LittleEndian::int32At(h + 10));
    qint64 signedHeight = 0;
    if (core) {
        l.width = LittleEndian::uint16At(h + 18);
        signedHeight = LittleEndian::uint16At(h + 20);
        l.bits = LittleEndian::uint16At(h + 24);
        l.entryBytes = 3;
    } else {
        l.width = LittleEndian::int32At(h + 18);
        signedHeight = LittleEndian::int32At(h + 22);
        l.bits = LittleEndian::uint16At(h + 28);
        l.coloursUsed = LittleEndian::int32At(h + 46);
    }
    l.topDown = signedHeight < 0;
    l.height = qint32(qMin<qint64>(qAbs(signedHeight), std::numeric_limits<qint32>::max()));

    if (l.bits == 16 || l.bits == 32) {
        // Plain pixels are 5-5-5 in 16 bits and 8-8-8 in 32; bit fields give their own masks.
        const quint32 plain[2][3] = {{0x7C00, 0x3E0, 0x1F}, {0xFF0000, 0xFF00, 0xFF}};
        const bool fields = l.compression == BitFields || l.compression == AlphaBitFields;
        quint32 *masks[] = {&l.redMask, &l.greenMask, &l.blueMask, &l.alphaMask};
        for (int i = 0; i < 3; ++i)
            *masks[i] =
                fields ? quint32(LittleEndian::int32At(h + 54 + 4 * i)) : plain[l.bits == 32][i];
        if (l.headerSize >= 56 || l.compression == AlphaBitFields)
            l.alphaMask = quint32(LittleEndian::int32At(h + 66));
    }

    const bool indexed = l.bits == 1 || l.bits == 4 || l.bits == 8;
    const int named = indexed ? 1 << l.bits : 0;
    const bool countTaken = !indexed || (l.coloursUsed >= 0 && l.coloursUsed <= named);
    if (indexed)
        l.tableEntries = l.coloursUsed > 0 && countTaken ? l.coloursUsed : named;
    l.stride = paddedStride(l.width, l.bits);
    // Older exports of this program stored 8-bit rows without padding: their pixels are
    // exactly width x height bytes, which no padded file of that size can be.
    if (l.bits == 8 && l.compression == NoCompression && l.width > 0
        && l.fileSize - l.pixelOffset == qint64(l.width) * l.height)
        l.stride = l.width;

    // A bit count the reader does not take is named before a compression that does not suit it.
    if (!indexed && l.bits != 16 && l.bits != 24 && l.bits != 32)
        l.problem = Problem::BitCount;
    else if (!compressionTaken(l.bits, l.compression))
        l.problem = Problem::Compressed;
    else if (l.width < 1 || l.height < 1 || qint64(l.width) * l.height > MaxPixels)
        l.problem = Problem::Size;
    else if (!countTaken)
        l.problem = Problem::ColourCount;
    else if (l.pixelOffset < l.tableEnd())
        l.problem = Problem::PixelOffset;
    else if (l.isRunLength())
        l.problem = l.fileSize < l.pixelOffset + 2 ? Problem::Rows : Problem::RunLength;
    else if (l.fileSize < l.pixelOffset + l.stride * (l.height - 1) + l.rowBytes())
        l.problem = Problem::Rows;
    else
        l.problem = Problem::None;
    return l;
}

bool BitmapLayout::isRunLength() const
{
    return (bits == 8 && compression == RunLength8) || (bits == 4 && compression == RunLength4);
}

bool BitmapLayout::hasHeader() const
{
    return problem != Problem::NotABitmap && problem != Problem::HeaderSize
        && problem != Problem::HeaderCut;
}

bool BitmapLayout::hasTable() const
{
    return hasHeader() && tableEntries > 0 && problem != Problem::ColourCount
        && tableEnd() <= pixelOffset && tableEnd() <= fileSize;
}

qint64 BitmapLayout::recordRowOffset(qint64 y) const
{
    return pixelOffset + stride * (topDown ? height - 1 - y : y);
}

QByteArray BitmapLayout::readTable(QFile &file) const
{
    if (!hasTable() || !file.seek(tableOffset))
        return QByteArray();
    const QByteArray stored = file.read(qint64(entryBytes) * tableEntries);
    QByteArray table(stored.size() / entryBytes * 4, char(0xFF));
    for (qsizetype i = 0; i < table.size() / 4; ++i)
        for (int b = 0; b < entryBytes; ++b)
            table[4 * i + b] = stored[entryBytes * i + b];
    return table;
}

QString BitmapLayout::problemText(const QString &path) const
{
    switch (problem) {
    case Problem::None:
        return QString();
    case Problem::NotABitmap:
        return Messages::notABitmap(path);
    case Problem::HeaderSize:
        return Messages::bitmapHeaderSize(path, headerSize);
    case Problem::HeaderCut:
        return Messages::bitmapHeaderTooShort(path, fileSize, tableOffset);
    case Problem::Compressed:
    case Problem::RunLength:
        return Messages::bitmapCompressed(path, compressionName(compression));
    case Problem::BitCount:
        return Messages::bitmapBitCount(path, bits);
    case Problem::Size:
        return Messages::bitmapBadSize(path, width, topDown ? -qint64(height) : height);
    case Problem::ColourCount:
        return Messages::bitmapColourCount(path, coloursUsed, bits);
    case Problem::PixelOffset:
        return Messages::bitmapPixelOffsetInHeader(path, pixelOffset, tableEnd());
    case Problem::Rows:
        return Messages::bitmapPixelsTooShort(path, fileSize, width, height, pixelOffset);
    }
    return QString();
}

void BitmapLayout::require(const QString &path) const
{
    if (!isReadable())
        throw Failure(FailureNumber::BitmapMismatch, problemText(path));
}
