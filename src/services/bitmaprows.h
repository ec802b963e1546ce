#pragma once

#include "bitmaplayout.h"

#include <QByteArray>

class QFile;

// A bitmap's rows read in blocks of about 1 MiB of consecutive stored rows: a walk over the rows
// in either order reads the file once, in large sequential pieces, where a seek and a read for
// each row would make the file's buffer fetch every row anew.
class BitmapRows
{
public:
    static constexpr qint64 BlockBytes = 1 << 20;

    // The layout must be readable (BitmapLayout::isReadable) and outlive the reader.
    BitmapRows(QFile &file, const BitmapLayout &layout);

    // The rowBytes() bytes of stored row s, 0 being the first row in the file; nullptr when the
    // file ends before them. Valid until the next call.
    const char *stored(qint64 s);
    // Row y in the order image records hold rows, bottom row first.
    const char *recordRow(qint64 y)
    {
        return stored(m_layout.topDown ? m_layout.height - 1 - y : y);
    }

private:
    QFile &m_file;
    const BitmapLayout &m_layout;
    qint64 m_perBlock = 1;
    qint64 m_first = -1; // the first stored row in m_block
    qint64 m_count = 0;
    qint64 m_got = 0; // bytes read into m_block
    QByteArray m_block;
};
