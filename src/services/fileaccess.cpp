#include "fileaccess.h"

#include "failure.h"
#include "messages.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif
#ifndef Q_OS_WIN
#include <fcntl.h>
#endif

#include <cerrno>
#include <cstring>

namespace FileAccess {

namespace {

// The reason for a failed operation: Qt's text, or the system's own (systemError is the errno
// the operation left) where Qt has none, as after a failed fsync or a write to a full disk.
QString reasonOf(const QFileDevice &file, int systemError)
{
    const bool qtHasNone = file.error() == QFileDevice::NoError
        || file.errorString() == QLatin1String("Unknown error");
    if (systemError != 0 && qtHasNone)
        return QString::fromLocal8Bit(std::strerror(systemError));
    return file.errorString();
}

std::unique_ptr<TrackedFile> open(const QString &path, QIODevice::OpenMode mode,
                                  const QString &action)
{
    auto file = std::make_unique<TrackedFile>(path);
    if (!file->open(mode))
        throw failureOf(*file, action);
    return file;
}

// Seeks only when the file is not at the position already: a seek drops Qt's buffers, and block
// copies read and write one block after another.
bool moveTo(QFileDevice &file, qint64 position)
{
    return file.pos() == position || file.seek(position);
}

} // namespace

Failure failureOf(const QFileDevice &file, const QString &action, int systemError)
{
    const int number = QFileInfo::exists(file.fileName()) ? FailureNumber::FileAccess
                                                          : FailureNumber::FileNotFound;
    return Failure(
        number,
        Messages::fileFailure(action, displayPath(file.fileName()), reasonOf(file, systemError)));
}

QString displayPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

std::unique_ptr<TrackedFile> openForReading(const QString &path)
{
    return open(path, QIODevice::ReadOnly, QStringLiteral("open"));
}

std::unique_ptr<TrackedFile> openForUpdate(const QString &path)
{
    return open(path, QIODevice::ReadWrite | QIODevice::ExistingOnly,
                QStringLiteral("open for writing"));
}

qint64 readUpTo(QFileDevice &file, qint64 position, char *data, qint64 length)
{
    if (!file.isOpen() || !moveTo(file, position))
        throw failureOf(file, QStringLiteral("read"));
    qint64 done = 0;
    while (done < length) {
        const qint64 got = file.read(data + done, length - done);
        if (got < 0)
            throw failureOf(file, QStringLiteral("read"));
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

void readAt(QFileDevice &file, qint64 position, char *data, qint64 length)
{
    if (readUpTo(file, position, data, length) != length)
        throw Failure(FailureNumber::FileAccess,
                      Messages::unexpectedEnd(displayPath(file.fileName()), position, length));
}

QByteArray readAt(QFileDevice &file, qint64 position, qint64 length)
{
    QByteArray data(length, Qt::Uninitialized);
    readAt(file, position, data.data(), length);
    return data;
}

void writeAt(QFileDevice &file, qint64 position, const char *data, qint64 length)
{
    errno = 0;
    if (!file.isOpen() || !moveTo(file, position) || file.write(data, length) != length)
        throw failureOf(file, QStringLiteral("write"), errno);
}

void writeAt(QFileDevice &file, qint64 position, const QByteArray &data)
{
    writeAt(file, position, data.constData(), data.size());
}

void reserve(QFileDevice &file, qint64 position, qint64 length)
{
#ifdef Q_OS_LINUX
    if (length <= 0 || !file.isOpen())
        return;
    if (::fallocate(file.handle(), FALLOC_FL_KEEP_SIZE, position, length) == 0)
        return;
    const int error = errno;
    if (error == ENOSPC || error == EDQUOT || error == EFBIG || error == EIO)
        throw failureOf(file, QStringLiteral("write"), error);
#else
    Q_UNUSED(file);
    Q_UNUSED(position);
    Q_UNUSED(length);
#endif
}

void flush(QFileDevice &file)
{
    errno = 0;
    if (!file.flush())
        throw failureOf(file, QStringLiteral("write"), errno);
}

void syncToDisk(QFileDevice &file)
{
    flush(file);
#ifdef Q_OS_WIN
    const int rc = _commit(file.handle());
#else
    const int rc = ::fsync(file.handle());
#endif
    if (rc != 0)
        throw failureOf(file, QStringLiteral("write"), errno);
}

bool removeIfExists(const QString &path)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return true;
    return QFile::remove(path);
}

std::unique_ptr<TrackedFile> createNew(const QString &path)
{
    return open(path, QIODevice::ReadWrite | QIODevice::NewOnly, QStringLiteral("create"));
}

void truncate(QFileDevice &file, qint64 length)
{
    if (file.size() != length && !file.resize(length))
        throw failureOf(file, QStringLiteral("write"), errno);
}

void syncFolder(const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
#else
    const int folder = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
#endif
}

} // namespace FileAccess
