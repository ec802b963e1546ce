#include "fileidentity.h"

#include "failure.h"
#include "fileaccess.h"
#include "messages.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace FileIdentity {

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
#ifdef Q_OS_UNIX
    // The device and inode numbers: hard links too are the same file.
    struct stat x, y;
    return ::stat(QFile::encodeName(a).constData(), &x) == 0
        && ::stat(QFile::encodeName(b).constData(), &y) == 0 && x.st_dev == y.st_dev
        && x.st_ino == y.st_ino;
#else
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca.compare(cb, Qt::CaseInsensitive) == 0;
#endif
}

void refuseInputs(const QString &output, const QStringList &inputs)
{
    for (const QString &input : inputs)
        if (sameFile(output, input))
            throw Failure(FailureNumber::FileAccess,
                          Messages::outputIsInput(FileAccess::displayPath(output),
                                                  FileAccess::displayPath(input)));
}

Stamp stampOf(const QFileDevice &file)
{
    Stamp stamp;
    stamp.size = file.size();
#ifdef Q_OS_UNIX
    struct stat info;
    if (::fstat(file.handle(), &info) == 0) {
        stamp.device = quint64(info.st_dev);
        stamp.inode = quint64(info.st_ino);
        stamp.size = qint64(info.st_size);
    }
#endif
    return stamp;
}

} // namespace FileIdentity
