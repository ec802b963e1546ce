#include "outputfile.h"

#include "failure.h"
#include "fileaccess.h"
#include "messages.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
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
