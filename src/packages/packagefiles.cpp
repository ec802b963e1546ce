#include "packagefiles.h"

#include "packageitem.h"

#include "records/catalogue.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/littleendian.h"
#include "services/messages.h"
#include "services/numberconversion.h"

namespace PackageFiles {

QString installDataName()
{
    return QStringLiteral("install.data");
}

QString fileDataName()
{
    return QStringLiteral("file.data");
}

QString replacedFilesName()
{
    return QStringLiteral("Replaced Files.txt");
}

qint64 InstallRecord::regionStart() const
{
    return qint64(offset) + PackageItem::RegionShift;
}

QByteArray installRecordBytes(const InstallRecord &record)
{
    QByteArray bytes(InstallRecordBytes, '\0');
    LittleEndian::putInt32(bytes.data(), record.offset);
    LittleEndian::putInt32(bytes.data() + 4, record.size);
    return bytes;
}

QByteArray replacedFilesLine(const QString &description)
{
    bool latin1 = true;
    for (const QChar c : description)
        latin1 = latin1 && c.unicode() <= 0xFF;
    return '"' + (latin1 ? description.toLatin1() : description.toUtf8()) + "\"\r\n";
}

QStringList readReplacedFiles(const QString &path)
{
    auto file = FileAccess::openForReading(path);
    const QByteArray bytes = file->readAll();
    if (file->error() != QFileDevice::NoError)
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("read"), FileAccess::displayPath(path),
                                            file->errorString()));
    return Catalogue::splitLines(Catalogue::decode(bytes));
}

QString listText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + u' ';
    return text;
}

int progressCount(qint64 installDataLength)
{
    return Convert::roundToInt32(double(installDataLength) / double(InstallRecordBytes));
}

int progressPercent(qint64 done, qint64 count)
{
    return count <= 0 ? 100 : Convert::roundToInt32(double(done) / double(count) * 100.0);
}

InstallReader::InstallReader(QFile &file)
    : m_file(file)
    , m_complete(file.size() / InstallRecordBytes)
{
}

bool InstallReader::next(InstallRecord &record)
{
    if (m_read >= m_complete)
        return false;
    char bytes[InstallRecordBytes];
    FileAccess::readAt(m_file, m_read * InstallRecordBytes, bytes, InstallRecordBytes);
    record.offset = LittleEndian::int32At(bytes);
    record.size = LittleEndian::int32At(bytes + 4);
    ++m_read;
    return true;
}

} // namespace PackageFiles
