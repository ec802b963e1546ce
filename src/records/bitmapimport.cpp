#include "bitmapimport.h"

#include "gobwriter.h"

#include "services/blockcopy.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/littleendian.h"
#include "services/messages.h"

namespace BitmapImport {

namespace {

constexpr qint64 HeaderBytes = 54; // file header and info header
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
    if (length < HeaderBytes)
        refuse(Messages::bitmapHeaderTooShort(bitmapPath, length));
    const QByteArray header = FileAccess::readAt(*bitmap, 0, HeaderBytes);
    const char *h = header.constData();
    const qint32 width = LittleEndian::int32At(h + 18);
    const qint32 height = LittleEndian::int32At(h + 22);
    const quint16 bits = LittleEndian::uint16At(h + 28);
    const qint32 compression = LittleEndian::int32At(h + 30);
    const qint32 coloursUsed = LittleEndian::int32At(h + 46);
    plan.pixelOffset = LittleEndian::int32At(h + 10);

    if (width != plan.size.width)
        refuse(Messages::widthNotSame(bitmapPath));
    if (height != plan.size.height)
        refuse(Messages::heightNotSame(bitmapPath));
    if (bits != 8)
        refuse(Messages::not256Colours(bitmapPath));
    if (compression != 0)
        refuse(Messages::bitmapCompressed(bitmapPath, compression));
    if (coloursUsed < 0 || coloursUsed > ImageRecord::PaletteEntries)
        refuse(Messages::bitmapColourCount(bitmapPath, coloursUsed));
    plan.count = coloursUsed == 0 ? int(ImageRecord::PaletteEntries) : coloursUsed;
    if (plan.pixelOffset < HeaderBytes)
        refuse(Messages::bitmapPixelOffsetInHeader(bitmapPath, plan.pixelOffset));
    if (length < ColourTableStart + 4 * plan.count)
        refuse(Messages::bitmapTableTooShort(bitmapPath, length, plan.count));
    if (length < plan.pixelOffset + plan.size.pixels())
        refuse(Messages::bitmapPixelsTooShort(bitmapPath, length, width, height, plan.pixelOffset));
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
    gob.copyFrom(*bitmap, plan.pixelOffset, pixels, plan.size.pixels(), BlockCopy::RecordBlock);
    gob.write(pixels + plan.size.pixels(), palette);
    gob.commit();
}

} // namespace BitmapImport
