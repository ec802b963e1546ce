#pragma once

#include "services/openfiles.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

// The one way the program writes into a GOB file. Callers check everything they can before
// they make one, because a GobWriter opens the file for writing at once. Every write must lie
// inside the file as it is (the GOB file never grows) or it throws before touching a byte;
// commit() puts the written bytes on the disk.
class GobWriter
{
public:
    explicit GobWriter(const QString &gobPath);
    ~GobWriter();

    qint64 size() const { return m_size; }
    TrackedFile &file() { return *m_file; }

    // Throws a Failure unless [start, start + length) lies inside the file.
    void requireRegion(qint64 start, qint64 length) const;

    // Sets aside the disk space of a region before the first write (see FileAccess::reserve).
    void reserve(qint64 start, qint64 length);

    void write(qint64 start, const QByteArray &bytes);
    void copyFrom(QFile &source, qint64 sourcePos, qint64 start, qint64 length, int blockSize,
                  const std::function<void()> &afterBlock = {});
    void fillZeros(qint64 start, qint64 length, int blockSize);

    // Flushes and syncs the file; a failure (a full disk) throws.
    void commit();

private:
    std::unique_ptr<TrackedFile> m_file;
    qint64 m_size = 0;
};
