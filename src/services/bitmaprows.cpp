#include "bitmaprows.h"

#include "fileaccess.h"

#include <QFile>

BitmapRows::BitmapRows(QFile &file, const BitmapLayout &layout)
    : m_file(file)
    , m_layout(layout)
    , m_perBlock(qMax<qint64>(1, BlockBytes / qMax<qint64>(1, layout.stride)))
{
}

const char *BitmapRows::stored(qint64 s)
{
    if (s < m_first || s >= m_first + m_count) {
        m_first = s - s % m_perBlock;
        m_count = qMin(m_perBlock, qint64(m_layout.height) - m_first);
        // The last row of a block needs no padding: a file may end right after its pixels.
        const qint64 length = (m_count - 1) * m_layout.stride + m_layout.rowBytes();
        m_block.resize(length);
        m_got = FileAccess::readUpTo(m_file, m_layout.pixelOffset + m_first * m_layout.stride,
                                     m_block.data(), length);
    }
    const qint64 at = (s - m_first) * m_layout.stride;
    return at + m_layout.rowBytes() <= m_got ? m_block.constData() + at : nullptr;
}
