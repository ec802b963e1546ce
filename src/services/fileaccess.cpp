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
#include <mutex>
#include <vector>

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

struct Planted
{
    std::mutex lock;
    std::vector<Fault> faults;
    bool read = false; // the environment's fault taken
};

Planted &planted()
{
    static Planted p;
    return p;
}

// The errno a planted fault gives this operation, or 0.
int plantedError(const QString &action, const QString &path)
{
    Planted &p = planted();
    const std::lock_guard guard(p.lock);
    if (!p.read) {
        p.read = true;
        const QStringList parts = qEnvironmentVariable("KESTRIX_TEST_FAULT").split(u':');
        if (parts.size() == 5)
            p.faults.push_back(
                {parts[0], parts[1], parts[2].toInt(), parts[3].toInt(), parts[4].toInt()});
    }
    for (Fault &fault : p.faults) {
        if (fault.action != action || fault.times == 0 || !path.endsWith(fault.pathEnd))
            continue;
        if (fault.skip > 0) {
            --fault.skip;
            continue;
        }
        if (fault.times > 0)
            --fault.times;
        return fault.error;
    }
    return 0;
}

// Writes every byte at position through the system's positioned write, without Qt's buffer.
bool writePositioned(QFileDevice &file, qint64 position, const char *data, qint64 length)
{
    if (const int error = plantedError(QStringLiteral("write"), file.fileName())) {
        errno = error;
        return false;
    }
#ifdef Q_OS_WIN
    return file.seek(position) && file.write(data, length) == length;
#else
    while (length > 0) {
        const ssize_t n = ::pwrite(file.handle(), data, size_t(length), off_t(position));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        position += n;
        length -= n;
    }
    return true;
#endif
}

// A failure the system reported itself (Qt took no part in it): its own reason.
Failure systemFailure(const QFileDevice &file, const QString &action, int systemError)
{
    return Failure(FailureNumber::FileAccess,
                   Messages::fileFailure(action, displayPath(file.fileName()),
                                         QString::fromLocal8Bit(std::strerror(systemError))));
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
    const FailureNumber number = QFileInfo::exists(file.fileName()) ? FailureNumber::FileAccess
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

std::unique_ptr<TrackedFile> openForUpdate(const QString &path, bool unbuffered)
{
    QIODevice::OpenMode mode = QIODevice::ReadWrite | QIODevice::ExistingOnly;
    if (unbuffered)
        mode |= QIODevice::Unbuffered;
    return open(path, mode, QStringLiteral("open for writing"));
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
    if (!file.isOpen())
        throw failureOf(file, QStringLiteral("write"), errno);
    if (file.openMode().testFlag(QIODevice::Unbuffered)) {
        if (!writePositioned(file, position, data, length))
            throw systemFailure(file, QStringLiteral("write"), errno);
        return;
    }
    if (const int error = plantedError(QStringLiteral("write"), file.fileName()))
        throw systemFailure(file, QStringLiteral("write"), error);
    if (!moveTo(file, position) || file.write(data, length) != length)
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
    // A planted failure stands in for the system's answer (EOPNOTSUPP: a file system that
    // cannot set space aside, whose writes then meet the full disk themselves).
    int error = plantedError(QStringLiteral("reserve"), file.fileName());
    if (error == 0) {
        if (::fallocate(file.handle(), FALLOC_FL_KEEP_SIZE, position, length) == 0)
            return;
        error = errno;
    }
    if (error == ENOSPC || error == EDQUOT || error == EFBIG || error == EIO)
        throw systemFailure(file, QStringLiteral("write"), error);
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
    if (const int error = plantedError(QStringLiteral("sync"), file.fileName()))
        throw systemFailure(file, QStringLiteral("write"), error);
#ifdef Q_OS_WIN
    const int rc = _commit(file.handle());
#else
    const int rc = ::fsync(file.handle());
#endif
    if (rc != 0)
        throw systemFailure(file, QStringLiteral("write"), errno);
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

void plantFault(const Fault &fault)
{
    plantedError(QString(), QString()); // the environment's first
    Planted &p = planted();
    const std::lock_guard guard(p.lock);
    p.faults.push_back(fault);
}

void clearFaults()
{
    plantedError(QString(), QString());
    Planted &p = planted();
    const std::lock_guard guard(p.lock);
    p.faults.clear();
}

} // namespace FileAccess
