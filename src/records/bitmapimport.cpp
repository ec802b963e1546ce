#include "bitmapimport.h"

#include "gobwriter.h"

#include "services/bitmapheader.h"
#include "services/blockcopy.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

namespace BitmapImport {

namespace {

constexpr qint64 ColourTableStart = 54;

[[noreturn]] void refuse(const QString &description)
{
    throw Failure(FailureNumber::BitmapMismatch, description);
}

} // namespace

Plan check(const QString &gobPath, qint32 catalogueOffset, const QString &bitmapPath,
           ImageRecord::Size *stored)
{
    Plan plan;
    plan.gobPath = gobPath;
    plan.bitmapPath = bitmapPath;
    plan.recordStart = ImageRecord::recordStart(catalogueOffset);
    {
        auto gob = FileAccess::openForReading(gobPath);
        plan.size = ImageRecord::readHeader(*gob, plan.recordStart, stored);
    }

    auto bitmap = FileAccess::openForReading(bitmapPath);
    const qint64 length = bitmap->size();
    if (length < BitmapHeader::Bytes)
        refuse(Messages::bitmapHeaderTooShort(bitmapPath, length));
    const BitmapHeader header =
        BitmapHeader::parse(FileAccess::readAt(*bitmap, 0, BitmapHeader::Bytes).constData());
    plan.pixelOffset = header.pixelOffset;

    if (header.width != plan.size.width)
        refuse(Messages::widthNotSame(bitmapPath));
    if (header.height != plan.size.height)
        refuse(Messages::heightNotSame(bitmapPath));
    if (header.bits != 8)
        refuse(Messages::not256Colours(bitmapPath));
    if (header.compression != 0)
        refuse(Messages::bitmapCompressed(bitmapPath, header.compression));
    if (header.coloursUsed < 0 || header.coloursUsed > ImageRecord::PaletteEntries)
        refuse(Messages::bitmapColourCount(bitmapPath, header.coloursUsed));
    plan.count = header.coloursUsed == 0 ? int(ImageRecord::PaletteEntries) : header.coloursUsed;
    if (plan.pixelOffset < BitmapHeader::Bytes)
        refuse(Messages::bitmapPixelOffsetInHeader(bitmapPath, plan.pixelOffset));
    if (length < ColourTableStart + 4 * plan.count)
        refuse(Messages::bitmapTableTooShort(bitmapPath, length, plan.count));
    if (length < plan.pixelOffset + plan.size.pixels())
        refuse(Messages::bitmapPixelsTooShort(bitmapPath, length, header.width, header.height,
                                              plan.pixelOffset));
    return plan;
}

void write(const Plan &plan, bool keepAlpha, const std::function<void()> &pendingEvents)
{
    auto bitmap = FileAccess::openForReading(plan.bitmapPath);
    const QByteArray table = FileAccess::readAt(*bitmap, ColourTableStart, 4 * plan.count);
    QByteArray palette(4 * plan.count, '\0');
    for (int k = 0; k < plan.count; ++k) {
        palette[4 * k] = table[4 * k + 2];
        palette[4 * k + 1] = table[4 * k + 1];
        palette[4 * k + 2] = table[4 * k];
        palette[4 * k + 3] = keepAlpha ? table[4 * k + 3] : char(0xFF);
    }

    GobWriter gob(plan.gobPath);
    if (pendingEvents)
        pendingEvents();
    const qint64 pixels = plan.recordStart + ImageRecord::PixelsOffset;
    gob.reserve(pixels, plan.size.pixels() + palette.size());
    gob.copyFrom(*bitmap, plan.pixelOffset, pixels, plan.size.pixels(), BlockCopy::RecordBlock);
    gob.write(pixels + plan.size.pixels(), palette);
    gob.commit();
}

} // namespace BitmapImport
