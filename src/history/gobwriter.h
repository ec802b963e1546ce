#pragma once

#include "history/gobregion.h"
#include "services/fileidentity.h"
#include "services/openfiles.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// The one way the program writes into a GOB file; a GobChange (history/gobchange.h) hands one
// out after it has journaled the bytes it will overwrite. Callers check everything they can
// before, because a GobWriter opens the file for writing at once. Every write must lie inside
// the file as it is (the GOB file never grows) and inside the allowed regions, or it throws
// before touching a byte; commit() puts the written bytes on the disk. The file is unbuffered:
// every write goes to the system at its own position, so that a failed one leaves no bytes
// behind to land somewhere later, and its failure gives the system's reason.
class GobWriter
{
public:
    ~GobWriter();

    qint64 size() const { return m_size; }
    // The GOB file's device, inode and size when it was opened.
    const FileIdentity::Stamp &stamp() const { return m_stamp; }
    TrackedFile &file() { return *m_file; }

    // Throws a Failure unless [start, start + length) lies inside the file and inside one of
    // the allowed regions.
    void requireRegion(qint64 start, qint64 length) const;

    // The regions every later write must lie in (joined, as GobRegion::joined gives them); none
    // set: anywhere in the file.
    void setAllowedRegions(const QList<GobRegion> &regions) { m_allowed = regions; }
    // Whether any byte has been written.
    bool hasWritten() const { return m_written; }

    // Sets aside the disk space of a region before the first write (see FileAccess::reserve).
    void reserve(qint64 start, qint64 length);

    void write(qint64 start, const QByteArray &bytes);
    void copyFrom(QFile &source, qint64 sourcePos, qint64 start, qint64 length, int blockSize,
                  const std::function<void()> &afterBlock = {});
    void fillZeros(qint64 start, qint64 length, int blockSize);

private:
    // Only a change and the history's undo and recovery open the GOB file for writing, and they
    // say when its bytes are done.
    friend class GobChange;
    friend class GobHistory;
    explicit GobWriter(const QString &gobPath);
    // Flushes and syncs the file; a failure (a full disk) throws.
    void commit();

    std::unique_ptr<TrackedFile> m_file;
    qint64 m_size = 0;
    FileIdentity::Stamp m_stamp;
    std::optional<QList<GobRegion>> m_allowed;
    bool m_written = false;
};
