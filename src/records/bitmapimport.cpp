#include "bitmapimport.h"

#include "history/gobwriter.h"

#include "services/bitmappixels.h"
#include "services/bitmaprows.h"
#include "services/blockcopy.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <cstring>
#include <utility>

namespace BitmapImport {

namespace {

[[noreturn]] void refuse(const QString &description)
{
    throw Failure(FailureNumber::BitmapMismatch, description);
}

// The w x h pixels in the record's row order, gathered from the bitmap's rows into blocks.
void copyPixels(QFile &bitmap, const BitmapLayout &layout, GobWriter &gob, qint64 to)
{
    const qint64 w = layout.width;
    BitmapRows rows(bitmap, layout);
    QByteArray block(BlockCopy::RecordBlock, Qt::Uninitialized);
    qint64 filled = 0;
    for (qint64 y = 0; y < layout.height; ++y) {
        const char *row = rows.recordRow(y);
        if (!row)
            throw Failure(FailureNumber::FileAccess,
                          Messages::unexpectedEnd(FileAccess::displayPath(bitmap.fileName()),
                                                  layout.recordRowOffset(y), w));
        for (qint64 x = 0; x < w;) {
            const qint64 n = qMin(w - x, BlockCopy::RecordBlock - filled);
            std::memcpy(block.data() + filled, row + x, size_t(n));
            x += n;
            filled += n;
            if (filled == BlockCopy::RecordBlock || (x == w && y == layout.height - 1)) {
                gob.write(to, filled == block.size() ? block : block.left(filled));
                to += filled;
                filled = 0;
            }
        }
    }
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
    plan.layout = BitmapLayout::read(*bitmap);
    const BitmapLayout &layout = plan.layout;
    if (!layout.hasHeader())
        refuse(layout.problemText(bitmapPath));
    if (layout.width != plan.size.width)
        refuse(Messages::widthNotSame(bitmapPath));
    // A top-down bitmap has a negative height; its rows are turned round on the way in.
    if (layout.height != plan.size.height)
        refuse(Messages::heightNotSame(bitmapPath));
    if (layout.bits != 8)
        refuse(Messages::not256Colours(bitmapPath));
    layout.require(bitmapPath);
    // Decoded only to refuse pixels that name colours past the table, which the record's
    // palette would otherwise fill with whatever it held; a full table names every value.
    if (layout.tableEntries < 256)
        BitmapPixels::decode(*bitmap, layout, bitmapPath);
    return plan;
}

void write(const Plan &plan, bool keepAlpha, const std::function<void()> &pendingEvents)
{
    const BitmapLayout &layout = plan.layout;
    auto bitmap = FileAccess::openForReading(plan.bitmapPath);
    QByteArray palette = layout.readTable(*bitmap);
    if (palette.size() != 4 * layout.tableEntries)
        throw Failure(FailureNumber::FileAccess,
                      Messages::unexpectedEnd(FileAccess::displayPath(plan.bitmapPath),
                                              layout.tableOffset,
                                              layout.tableEnd() - layout.tableOffset));
    for (qsizetype k = 0; k < palette.size(); k += 4) {
        std::swap(palette[k], palette[k + 2]); // blue, green, red to red, green, blue
        if (!keepAlpha)
            palette[k + 3] = char(0xFF);
    }

    const qint64 pixels = plan.recordStart + ImageRecord::PixelsOffset;
    GobChange change(plan.gobPath, ChangeKind::Bitmap, plan.description);
    change.addRegion(pixels, plan.size.pixels() + palette.size());
    GobWriter &gob = change.begin(plan.withoutUndo);
    if (pendingEvents)
        pendingEvents();
    copyPixels(*bitmap, layout, gob, pixels);
    gob.write(pixels + plan.size.pixels(), palette);
    change.commit();
}

} // namespace BitmapImport
