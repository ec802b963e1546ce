#include "outputfile.h"

#include "failure.h"
#include "fileaccess.h"
#include "messages.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace {

// Why the target cannot be written: Qt's text, or the system's reason where Qt refuses an
// existing file that is not writable without saying why (a read-only disk, a missing right).
QString openReason(const QSaveFile &file)
{
#ifdef Q_OS_UNIX
    if (QFileInfo::exists(file.fileName())
        && ::access(QFile::encodeName(file.fileName()).constData(), W_OK) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
#endif
    return file.errorString();
}

#ifdef Q_OS_UNIX
Failure systemFailure(const QString &action, const QString &path, int error)
{
    return Failure(FailureNumber::FileAccess,
                   Messages::fileFailure(action, FileAccess::displayPath(path),
                                         QString::fromLocal8Bit(std::strerror(error))));
}

// Writes every byte; 0 or the system's reason.
int writeAll(int fd, const char *data, qint64 length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, data, size_t(length));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0 ? ENOSPC : errno;
        data += n;
        length -= n;
    }
    return 0;
}
#endif

} // namespace

OutputFile::OutputFile(const QString &target)
    : m_file(target)
{
    if (!m_file.open(QIODevice::WriteOnly))
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("create"),
                                            FileAccess::displayPath(target), openReason(m_file)));
}

void OutputFile::commit()
{
    FileAccess::syncToDisk(m_file);
    if (!m_file.commit())
        throw FileAccess::failureOf(m_file, QStringLiteral("write"));
}

void OutputFile::write(const QString &target, const QByteArray &bytes)
{
    OutputFile file(target);
    FileAccess::writeAt(file.device(), 0, bytes);
    file.commit();
}

ScratchFile::ScratchFile(const QString &path)
    : m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("create"), FileAccess::displayPath(path),
                                            m_file.errorString()));
}

ScratchFile::~ScratchFile()
{
    if (m_committed)
        return;
    m_file.close();
    m_file.remove();
}

void ScratchFile::commit()
{
    FileAccess::flush(m_file);
    m_file.close();
    m_committed = true;
}

OutputFolder::OutputFolder(const QString &folder)
    : m_folder(folder)
{
}

void OutputFolder::write(const QString &target, const QByteArray &bytes)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(target);
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temp = name + ".new-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 16))
            throw systemFailure(QStringLiteral("create"), target, errno);
    }
    struct stat old;
    if (::stat(name.constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    int error = writeAll(fd, bytes.constData(), bytes.size());
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.constData(), name.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.constData());
        throw systemFailure(QStringLiteral("write"), target, error);
    }
#else
    OutputFile::write(target, bytes);
#endif
}

void OutputFolder::finish()
{
#ifdef Q_OS_LINUX
    const int folder =
        ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        throw systemFailure(QStringLiteral("write"), m_folder, errno);
    const int rc = ::syncfs(folder) == 0 ? ::fsync(folder) : -1;
    const int error = errno;
    ::close(folder);
    if (rc != 0)
        throw systemFailure(QStringLiteral("write"), m_folder, error);
#endif
}
