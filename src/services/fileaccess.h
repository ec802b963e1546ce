#pragma once

#include "failure.h"
#include "openfiles.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Opening files and reading or writing at byte positions. Every routine throws a Failure whose
// description names the file and gives the platform's reason.
namespace FileAccess {

std::unique_ptr<TrackedFile> openForReading(const QString &path);

// Opens an existing file for reading and writing; never creates one. An unbuffered file keeps
// no bytes in Qt's buffers: every write goes to the system at once, at its own position, so that
// a failed write leaves nothing behind to be flushed later somewhere else.
std::unique_ptr<TrackedFile> openForUpdate(const QString &path, bool unbuffered = false);

// Exactly length bytes at position; a short read is a failure.
void readAt(QFileDevice &file, qint64 position, char *data, qint64 length);
QByteArray readAt(QFileDevice &file, qint64 position, qint64 length);

// Reads up to length bytes; returns how many were read (fewer at the end of the file).
qint64 readUpTo(QFileDevice &file, qint64 position, char *data, qint64 length);

// Exactly length bytes at position; a short write (a full disk) is a failure. On an unbuffered
// file each write names its position to the system (the file's own position stays as it was).
void writeAt(QFileDevice &file, qint64 position, const char *data, qint64 length);
void writeAt(QFileDevice &file, qint64 position, const QByteArray &data);

// Makes the file system set aside the disk blocks of a region of an existing file without
// changing a byte or the file's length, so that a disk that cannot hold them (a sparse file on
// a full disk) refuses before anything is written. Where the file system cannot say, nothing
// happens and the writes themselves report the failure.
void reserve(QFileDevice &file, qint64 position, qint64 length);

// Hands Qt's buffer to the system; a failure (a full disk) throws.
void flush(QFileDevice &file);

// Flushes Qt's buffer and asks the system to put the file's data on the disk.
void syncToDisk(QFileDevice &file);

// The failure of an action ("write", "create") on a file: its path and the platform's reason,
// the system's own (systemError, an errno value) where Qt has none.
Failure failureOf(const QFileDevice &file, const QString &action, int systemError = 0);

// Removes a file if it exists; true when no file is left at the path.
bool removeIfExists(const QString &path);

QString displayPath(const QString &path);

// Creates a file that does not exist yet, for reading and writing; never replaces one.
std::unique_ptr<TrackedFile> createNew(const QString &path);

// Cuts an open file to length bytes.
void truncate(QFileDevice &file, qint64 length);

// Puts a folder's list of files on the disk, so that a file just made in it survives a power
// cut (where the system allows no such thing, nothing happens).
void syncFolder(const QString &path);

// Failures planted by tests, so that a failing disk can be tried in-process: the operation
// ("write", "sync" or "reserve") on a file whose path ends in pathEnd passes skip times, then
// fails times times (-1: for good) with the system error error (a reserve answered so goes on
// as the system's answer would). The variable
// KESTRIX_TEST_FAULT plants one in a child process: "write:.gob:3:28:-1" (action, path end,
// skip, errno, times).
struct Fault
{
    QString action;
    QString pathEnd;
    int skip = 0;
    int error = 0;
    int times = 1;
};
void plantFault(const Fault &fault);
void clearFaults();

} // namespace FileAccess
