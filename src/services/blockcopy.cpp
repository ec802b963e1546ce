#include "blockcopy.h"

#include "fileaccess.h"

#include <QByteArray>

namespace BlockCopy {

void copy(QFileDevice &source, qint64 sourcePos, QFileDevice &target, qint64 targetPos,
          qint64 length, int blockSize, const std::function<void()> &afterBlock)
{
    QByteArray buffer(blockSize, Qt::Uninitialized);
    for (qint64 done = 0; done < length;) {
        const qint64 n = qMin<qint64>(blockSize, length - done);
        FileAccess::readAt(source, sourcePos + done, buffer.data(), n);
        FileAccess::writeAt(target, targetPos + done, buffer.constData(), n);
        done += n;
        if (afterBlock)
            afterBlock();
    }
}

void fillZeros(QFileDevice &target, qint64 targetPos, qint64 length, int blockSize)
{
    const QByteArray zeros(blockSize, '\0');
    for (qint64 done = 0; done < length;) {
        const qint64 n = qMin<qint64>(blockSize, length - done);
        FileAccess::writeAt(target, targetPos + done, zeros.constData(), n);
        done += n;
    }
}

} // namespace BlockCopy
