#pragma once

#include <QtGlobal>

#include <cstring>

// Little-endian numbers in byte buffers, as the GOB file, bitmaps and packages store them.
namespace LittleEndian {

inline qint32 int32At(const char *bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    return qint32(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24);
}

inline quint16 uint16At(const char *bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    return quint16(b[0] | b[1] << 8);
}

inline void putInt32(char *bytes, qint32 value)
{
    const auto v = quint32(value);
    bytes[0] = char(v & 0xFF);
    bytes[1] = char((v >> 8) & 0xFF);
    bytes[2] = char((v >> 16) & 0xFF);
    bytes[3] = char((v >> 24) & 0xFF);
}

inline void putUint16(char *bytes, quint16 value)
{
    bytes[0] = char(value & 0xFF);
    bytes[1] = char((value >> 8) & 0xFF);
}

} // namespace LittleEndian
