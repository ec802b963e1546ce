#pragma once

#include <QByteArray>
#include <QFile>

#include <optional>

// The frame of every record of a change file (see changefile.h):
//   tag       4 ASCII bytes: "HEAD", "DATA", "SEAL", "DONE" or "STAT"
//   length    unsigned 32-bit little-endian: the bytes of the payload
//   payload   length bytes
//   checksum  unsigned 32-bit little-endian: the CRC-32 (as zip uses it) of tag, length and payload
// A record whose checksum fails, or that the file ends in, is no record.
namespace JournalRecord {

constexpr qint64 FrameBytes = 12;

// A record of tag with nothing in its payload yet: append the payload, then call finish().
QByteArray start(const char *tag);
// Fills in the length and appends the checksum.
void finish(QByteArray &record);
QByteArray make(const char *tag, const QByteArray &payload);

struct Record
{
    QByteArray tag;
    QByteArray payload;
    qint64 end = 0; // the byte after the record
};

// The record at position: nothing when the file ends before its end, its payload is longer than
// maxPayload, or its checksum fails. Throws only when the file cannot be read.
std::optional<Record> readAt(QFile &file, qint64 position, qint64 maxPayload);

} // namespace JournalRecord
