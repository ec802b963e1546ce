#pragma once

#include "bytes.h"
#include "handzip.h"
#include "packagebytes.h"

// A package written by hand: one install record per (package offset, size), file.data a test
// pattern of seed, an "Item OFFSET" line for each record, and the files given beside them.
inline bool writeHandPackage(const QString &path, const QList<std::pair<qint32, qint32>> &records,
                             int seed, const QList<HandZip::Entry> &files = {})
{
    QByteArray install;
    QByteArray lines;
    qint32 total = 0;
    for (const auto &[offset, size] : records) {
        install += installRecords({{offset, size}});
        lines += "\"Item " + QByteArray::number(offset) + "\"\r\n";
        total += size;
    }
    const QList<HandZip::Entry> entries {{QStringLiteral("install.data"), install},
                                         {QStringLiteral("file.data"), Bytes::pattern(total, seed)},
                                         {QStringLiteral("Replaced Files.txt"), lines}};
    return HandZip::write(path, entries + files);
}
