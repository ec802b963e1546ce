#include "journalrecord.h"

#include "services/fileaccess.h"
#include "services/littleendian.h"

#include <zlib.h>

namespace JournalRecord {

namespace {

quint32 checksumOf(const char *bytes, qint64 length)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    while (length > 0) {
        const uInt n = uInt(qMin<qint64>(length, 1 << 30));
        crc = crc32(crc, reinterpret_cast<const Bytef *>(bytes), n);
        bytes += n;
        length -= n;
    }
    return quint32(crc);
}

} // namespace

QByteArray start(const char *tag)
{
    QByteArray record(tag, 4);
    record.append(4, '\0');
    return record;
}

void finish(QByteArray &record)
{
    LittleEndian::putInt32(record.data() + 4, qint32(record.size() - 8));
    char checksum[4];
    LittleEndian::putInt32(checksum, qint32(checksumOf(record.constData(), record.size())));
    record.append(checksum, 4);
}

QByteArray make(const char *tag, const QByteArray &payload)
{
    QByteArray record = start(tag);
    record.append(payload);
    finish(record);
    return record;
}

std::optional<Record> readAt(QFile &file, qint64 position, qint64 maxPayload)
{
    char head[8];
    if (position < 0 || FileAccess::readUpTo(file, position, head, 8) != 8)
        return std::nullopt;
    const qint64 length = quint32(LittleEndian::int32At(head + 4));
    if (length > maxPayload || position + FrameBytes + length > file.size())
        return std::nullopt;
    QByteArray bytes(8 + length + 4, Qt::Uninitialized);
    FileAccess::readAt(file, position, bytes.data(), bytes.size());
    const quint32 stored = quint32(LittleEndian::int32At(bytes.constData() + 8 + length));
    if (stored != checksumOf(bytes.constData(), 8 + length))
        return std::nullopt;
    return Record {bytes.left(4), bytes.mid(8, length), position + FrameBytes + length};
}

} // namespace JournalRecord
