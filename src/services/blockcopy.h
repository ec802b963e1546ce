#pragma once

#include <QFile>

#include <functional>

// The program's one block copy: length bytes from source at sourcePos to target at targetPos,
// through one buffer of blockSize bytes, whole blocks first, then one block of the remainder.
// Records, of a picture or of a package, are copied in blocks of 1 MiB (few system calls, little
// memory). afterBlock, when given, runs after each block is written.
namespace BlockCopy {

constexpr int RecordBlock = 1 << 20;

void copy(QFileDevice &source, qint64 sourcePos, QFileDevice &target, qint64 targetPos,
          qint64 length, int blockSize, const std::function<void()> &afterBlock = {});

// Writes length zero bytes at targetPos in blocks of blockSize.
void fillZeros(QFileDevice &target, qint64 targetPos, qint64 length, int blockSize);

} // namespace BlockCopy
