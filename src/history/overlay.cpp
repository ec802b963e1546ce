#include "overlay.h"

#include "services/fileaccess.h"

#include <QCryptographicHash>

#include <algorithm>
#include <cstring>

Overlay::Overlay(QFile &base, qint64 shift)
    : m_base(base)
    , m_shift(shift)
{
}

Overlay::~Overlay() = default;

void Overlay::addLayer(const QString &file, const QList<Piece> &pieces)
{
    if (!pieces.isEmpty())
        m_layers.append({file, pieces});
}

QFile &Overlay::file(const QString &path) const
{
    std::shared_ptr<TrackedFile> &open = m_files[path];
    if (!open)
        open = FileAccess::openForReading(path);
    return *open;
}

void Overlay::read(qint64 start, char *data, qint64 length) const
{
    FileAccess::readAt(m_base, start + m_shift, data, length);
    const qint64 end = start + length;
    for (const Layer &layer : m_layers) {
        auto piece =
            std::upper_bound(layer.pieces.begin(), layer.pieces.end(), start,
                             [](qint64 at, const Piece &p) { return at < p.start + p.length; });
        for (; piece != layer.pieces.end() && piece->start < end; ++piece) {
            const qint64 from = std::max(start, piece->start);
            const qint64 to = std::min(end, piece->start + piece->length);
            FileAccess::readAt(file(layer.file), piece->fileOffset + (from - piece->start),
                               data + (from - start), to - from);
        }
    }
}

QByteArray Overlay::hash(const GobRegion &region) const
{
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    QByteArray block(qMin(BlockSize, region.length), Qt::Uninitialized);
    for (qint64 done = 0; done < region.length; done += BlockSize) {
        const qint64 n = qMin(BlockSize, region.length - done);
        read(region.start + done, block.data(), n);
        hash.addData(QByteArrayView(block.constData(), n));
    }
    return hash.result();
}

bool Overlay::same(const Overlay &a, const Overlay &b, const GobRegion &region)
{
    QByteArray blockA(qMin(BlockSize, region.length), Qt::Uninitialized);
    QByteArray blockB(blockA.size(), Qt::Uninitialized);
    for (qint64 done = 0; done < region.length; done += BlockSize) {
        const qint64 n = qMin(BlockSize, region.length - done);
        a.read(region.start + done, blockA.data(), n);
        b.read(region.start + done, blockB.data(), n);
        if (std::memcmp(blockA.constData(), blockB.constData(), size_t(n)) != 0)
            return false;
    }
    return true;
}
