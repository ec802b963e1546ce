#pragma once

#include "textprinter.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>

// Byte helpers for building files by hand in tests, independent of the program's own code.
namespace Bytes {

inline void put32(QByteArray &b, qsizetype at, qint32 v)
{
    if (b.size() < at + 4)
        b.resize(at + 4, '\0');
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((quint32(v) >> (8 * i)) & 0xFF);
}

inline void put16(QByteArray &b, qsizetype at, quint16 v)
{
    if (b.size() < at + 2)
        b.resize(at + 2, '\0');
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

inline qint32 get32(const QByteArray &b, qsizetype at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | quint8(b[at + i]);
    return qint32(v);
}

inline QByteArray of(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

QByteArray readFile(const QString &path);
QByteArray sha256(const QString &path);
bool exists(const QString &path);

// A test pattern of n bytes: byte i is (i * 7 + seed) & 0xFF.
QByteArray pattern(qsizetype n, int seed = 0);

} // namespace Bytes
