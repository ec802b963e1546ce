#include "packagefiles.h"

#include "packageitem.h"

#include "records/catalogue.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/littleendian.h"
#include "services/messages.h"
#include "services/numberconversion.h"

#include <algorithm>

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
    return '"' + description.toUtf8() + "\"\r\n";
}

QStringList readReplacedFiles(const QString &path)
{
    auto file = FileAccess::openForReading(path);
    return Catalogue::decodeLineByLine(FileAccess::readAt(*file, 0, file->size()));
}

QString unquoted(const QString &line)
{
    if (line.size() >= 2 && line.startsWith(u'"') && line.endsWith(u'"'))
        return line.mid(1, line.size() - 2);
    return line;
}

int progressCount(qint64 installDataLength)
{
    return Convert::roundToInt32(double(installDataLength) / double(InstallRecordBytes));
}

int progressPercent(qint64 done, qint64 count)
{
    return count <= 0 ? 100 : Convert::roundToInt32(double(done) / double(count) * 100.0);
}

void forEachRecord(QFile &installData,
                   const std::function<void(qint64 number, const InstallRecord &record)> &visit)
{
    // Read in blocks: a package of thousands of records is listed at once.
    constexpr qint64 BlockRecords = 8192;
    const qint64 complete = installData.size() / InstallRecordBytes;
    for (qint64 first = 0; first < complete; first += BlockRecords) {
        const qint64 n = std::min(BlockRecords, complete - first);
        const QByteArray block =
            FileAccess::readAt(installData, first * InstallRecordBytes, n * InstallRecordBytes);
        for (qint64 k = 0; k < n; ++k) {
            const char *bytes = block.constData() + k * InstallRecordBytes;
            visit(first + k + 1, {LittleEndian::int32At(bytes), LittleEndian::int32At(bytes + 4)});
        }
    }
}

QString regionProblem(const InstallRecord &region, qint64 gobSize, const QString &subject,
                      const QString &gobPath)
{
    if (region.offset < 0)
        return Messages::negativeOffset(subject, region.offset);
    if (region.size < 0)
        return Messages::negativeSize(subject, region.size);
    if (region.regionEnd() > gobSize)
        return Messages::regionPastEnd(subject, region.regionStart(), region.regionEnd(),
                                       FileAccess::displayPath(gobPath), gobSize);
    return QString();
}

} // namespace PackageFiles
