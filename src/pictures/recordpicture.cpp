#include "recordpicture.h"

#include "indexedpng.h"

#include "services/fileaccess.h"

RecordPicture RecordPicture::read(const QString &gobPath, qint32 catalogueOffset)
{
    auto gob = FileAccess::openForReading(gobPath);
    return read(*gob, catalogueOffset);
}

RecordPicture RecordPicture::read(QFile &gob, qint32 catalogueOffset)
{
    RecordPicture picture;
    picture.start = ImageRecord::recordStart(catalogueOffset);
    picture.size = ImageRecord::readHeader(gob, picture.start);
    const QByteArray stored = FileAccess::readAt(gob, picture.pixelsStart(),
                                                 picture.size.pixels() + ImageRecord::PaletteBytes);
    picture.pixels = stored.left(picture.size.pixels());
    picture.palette = stored.mid(picture.size.pixels());
    return picture;
}

QImage RecordPicture::image() const
{
    QImage image(size.width, size.height, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int k = 0; k < ImageRecord::PaletteEntries; ++k) {
        const auto *e = reinterpret_cast<const uchar *>(palette.constData() + 4 * k);
        colours << qRgba(e[0], e[1], e[2], e[3]);
    }
    image.setColorTable(colours);
    for (int y = 0; y < size.height; ++y)
        memcpy(image.scanLine(y), pixels.constData() + qint64(size.height - 1 - y) * size.width,
               size.width);
    return image;
}

QByteArray RecordPicture::png() const
{
    return IndexedPng::encode(size.width, size.height, pixels, false, palette);
}
