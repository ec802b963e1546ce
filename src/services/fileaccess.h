#pragma once

#include "openfiles.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Opening files and reading or writing at byte positions. Every routine throws a Failure whose
// description names the file and gives the platform's reason.
namespace FileAccess {

std::unique_ptr<TrackedFile> openForReading(const QString &path);

// Creates the file, or empties it when it exists.
std::unique_ptr<TrackedFile> createForWriting(const QString &path);

// Opens an existing file for reading and writing; never creates one.
std::unique_ptr<TrackedFile> openForUpdate(const QString &path);

// Exactly length bytes at position; a short read is a failure.
void readAt(QFile &file, qint64 position, char *data, qint64 length);
QByteArray readAt(QFile &file, qint64 position, qint64 length);

// Reads up to length bytes; returns how many were read (fewer at the end of the file).
qint64 readUpTo(QFile &file, qint64 position, char *data, qint64 length);

void writeAt(QFile &file, qint64 position, const char *data, qint64 length);
void writeAt(QFile &file, qint64 position, const QByteArray &data);

// Makes the file system set aside the disk blocks of a region of an existing file without
// changing a byte or the file's length, so that a disk that cannot hold them (a sparse file on
// a full disk) refuses before anything is written. Where the file system cannot say, nothing
// happens and the writes themselves report the failure.
void reserve(QFile &file, qint64 position, qint64 length);

// Hands Qt's buffer to the system; a failure (a full disk) throws.
void flush(QFile &file);

// Flushes Qt's buffer and asks the system to put the file's data on the disk.
void syncToDisk(QFile &file);

// Removes a file if it exists; true when no file is left at the path.
bool removeIfExists(const QString &path);

QString displayPath(const QString &path);

// Creates a file that does not exist yet, for reading and writing; never replaces one.
std::unique_ptr<TrackedFile> createNew(const QString &path);

// Cuts an open file to length bytes.
void truncate(QFile &file, qint64 length);

// Puts a folder's list of files on the disk, so that a file just made in it survives a power
// cut (where the system allows no such thing, nothing happens).
void syncFolder(const QString &path);

} // namespace FileAccess
