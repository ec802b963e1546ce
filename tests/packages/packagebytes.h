#pragma once

#include "bytes.h"

#include <QByteArray>

#include <initializer_list>
#include <utility>

// install.data bytes built by hand: per record the package offset and the size, each 4 bytes
// little-endian.
inline QByteArray installRecords(std::initializer_list<std::pair<qint32, qint32>> records)
{
    QByteArray b;
    for (const auto &[offset, size] : records) {
        Bytes::put32(b, b.size(), offset);
        Bytes::put32(b, b.size(), size);
    }
    return b;
}
