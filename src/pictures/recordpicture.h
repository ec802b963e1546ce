#pragma once

#include "records/imagerecord.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// An image record read whole: its size, its pixels in their stored order (bottom row first, as
// bitmaps hold them) and its palette of red, green, blue and alpha.
struct RecordPicture
{
    qint64 start = 0; // the record's first byte, 0-based
    ImageRecord::Size size;
    QByteArray pixels; // width x height indexes
    QByteArray palette; // 256 entries of red, green, blue, alpha

    // Throws the failures of ImageRecord::readHeader and of reading the file.
    static RecordPicture read(const QString &gobPath, qint32 catalogueOffset);
    static RecordPicture read(QFile &gob, qint32 catalogueOffset);

    // The picture as a bitmap export shows it in any viewer, top row first (the record's last
    // row; the main preview shows it mirrored top to bottom), each colour with its alpha.
    QImage image() const;
    // The picture as the main preview shows it, the record's first row on top, as an indexed PNG
    // with the palette's colours and alpha.
    QByteArray png() const;
    // Where the pixels and the palette lie in the GOB file, and their bytes.
    qint64 pixelsStart() const { return start + ImageRecord::PixelsOffset; }
    QByteArray storedBytes() const { return pixels + palette; }
};
