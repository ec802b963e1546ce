#pragma once

#include <QString>
#include <QtGlobal>

class QFile;

// Where the parts of a bitmap file lie, read from its file header and info header: the one
// reader of a bitmap's layout. Every place that reads a colour table or pixels of a bitmap asks
// it where they are; none assumes a 40-byte header, a full table or rows without padding.
class BitmapLayout
{
public:
    // What keeps the file from being read, in the order the reader meets them.
    enum class Problem {
        None,
        NotABitmap, // no "BM" signature, or too short for it and the header size
        HeaderSize, // an info header of a size the reader does not know
        HeaderCut, // the file ends inside its headers
        Compressed, // run-length encoded, JPEG, PNG, or bit fields where they do not belong
        BitCount, // bits per pixel other than 1, 4, 8, 16, 24 or 32
        Size, // width below 1, no rows, or more than MaxPixels pixels
        ColourCount, // more colours used than the bits per pixel can name
        PixelOffset, // the pixels said to start inside the headers or the colour table
        Rows, // the file is too short for its rows
        RunLength, // sound, but run-length encoded: no stored rows to read in place
    };

    static constexpr qint64 FileHeaderBytes = 14;
    static constexpr qint64 MaxPixels = 16384LL * 16384LL;

    // Reads the headers of the file from its start; the file's position is left anywhere.
    static BitmapLayout read(QFile &file);
    static BitmapLayout read(const QString &path); // NotABitmap when it cannot be opened

    // Bytes from one row of a file to the next: the row's bits rounded up to 4 bytes.
    static qint64 paddedStride(qint64 width, int bits);

    // Whether the rows lie in the file as they are, each where recordRowOffset says.
    bool isReadable() const { return problem == Problem::None; }
    // Run-length 8 in an 8-bit file or run-length 4 in a 4-bit one.
    bool isRunLength() const;
    // Whether the headers were read, so that width, height and bits per pixel are known.
    bool hasHeader() const;
    // Whether the colour table lies whole inside the file, before the pixels.
    bool hasTable() const;
    // The 12-byte header's entries have three bytes: there is no fourth byte to carry alpha.
    bool hasAlphaBytes() const { return entryBytes == 4; }

    qint64 entryOffset(int index) const { return tableOffset + qint64(entryBytes) * index; }
    qint64 tableEnd() const { return entryOffset(tableEntries); }
    // Bytes of each row that hold pixels; the rest of the stride is padding.
    qint64 rowBytes() const { return (qint64(width) * bits + 7) / 8; }
    // Where row y of the picture starts when its rows are taken bottom row first, as image
    // records hold them: stored row y of a bottom-up file, row height - 1 - y of a top-down one.
    qint64 recordRowOffset(qint64 y) const;

    // The colour table's entries as blue, green, red and fourth byte, four bytes each (255 as
    // the fourth byte of three-byte entries); fewer when the file cannot be read to its end.
    QByteArray readTable(QFile &file) const;

    // The refusal for the first problem, naming the file; empty when there is none.
    QString problemText(const QString &path) const;
    // Throws failure 481 with problemText unless the file is readable.
    void require(const QString &path) const;

    Problem problem = Problem::NotABitmap;
    qint64 fileSize = 0;
    qint32 headerSize = 0;
    qint32 width = 0;
    qint32 height = 0; // the number of rows, also for a top-down file
    bool topDown = false; // a negative height in the header: the top row is stored first
    quint16 bits = 0;
    qint32 compression = 0;
    qint32 coloursUsed = 0; // as the header says; 0 means 2 to the power of bits
    quint32 redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0; // where the header has them
    qint64 tableOffset = 0;
    int tableEntries = 0;
    int entryBytes = 4;
    qint64 pixelOffset = 0;
    qint64 stride = 0;
};
