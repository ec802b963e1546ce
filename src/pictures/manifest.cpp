#include "manifest.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace Manifest {

namespace {

// Exports before the rows field wrote the record's last row as the PNG's top row.
const QByteArray OldHeader = "file\tentry\tsub\toffset\tkind\tsha256";
const QByteArray Header = OldHeader + "\trows";

// The line's fields as a manifest line, or the reason it cannot be one.
QString parseLine(const QByteArray &text, bool withRows, ManifestLine &line)
{
    const QList<QByteArray> fields = text.split('\t');
    if (fields.size() != (withRows ? 7 : 6))
        return Messages::manifestFieldCount(int(fields.size()));
    line.firstRowOnTop = withRows && fields[6] == "top";
    if (withRows && !line.firstRowOnTop && fields[6] != "bottom")
        return Messages::manifestBadRows(QString::fromUtf8(fields[6]));
    line.name = QString::fromUtf8(fields[0]);
    if (line.name.isEmpty() || line.name == u'.' || line.name == QStringLiteral("..")
        || line.name.contains(u'/') || line.name.contains(u'\\'))
        return Messages::manifestBadName(line.name);
    bool ok[3] = {false, false, false};
    line.entry = fields[1].toInt(&ok[0]);
    line.subFile = fields[2].toInt(&ok[1]);
    line.offset = fields[3].toInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || line.entry < 0 || line.subFile < 1)
        return Messages::manifestBadNumbers(line.name);
    line.kind = QString::fromUtf8(fields[4]);
    line.sha256 = fields[5].toLower();
    if (line.sha256.size() != 64 || QByteArray::fromHex(line.sha256).toHex() != line.sha256)
        return Messages::manifestBadHash(line.name);
    return QString();
}

} // namespace

QString fileName()
{
    return QStringLiteral("kestrix-export.tsv");
}

QByteArray text(const QList<ManifestLine> &lines)
{
    QByteArray text = Header + '\n';
    for (const ManifestLine &l : lines)
        text += l.name.toUtf8() + '\t' + QByteArray::number(l.entry) + '\t'
            + QByteArray::number(l.subFile) + '\t' + QByteArray::number(l.offset) + '\t'
            + l.kind.toUtf8() + '\t' + l.sha256 + '\t' + (l.firstRowOnTop ? "top" : "bottom")
            + '\n';
    return text;
}

Contents read(const QString &folder)
{
    const QString path = QDir(folder).filePath(fileName());
    if (!QFile::exists(path))
        throw Failure(FailureNumber::FileNotFound,
                      Messages::manifestMissing(FileAccess::displayPath(folder)));
    auto file = FileAccess::openForReading(path);
    QList<QByteArray> lines = FileAccess::readAt(*file, 0, file->size()).split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    const bool withRows = lines.first() == Header;
    if (!withRows && lines.first() != OldHeader)
        throw Failure(FailureNumber::BadCatalogue,
                      Messages::manifestNotOurs(FileAccess::displayPath(path)));
    Contents contents;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        ManifestLine line;
        const QString problem = parseLine(lines[i], withRows, line);
        if (problem.isEmpty())
            contents.lines << line;
        else
            contents.problems << Messages::manifestLine(int(i + 1), problem);
    }
    return contents;
}

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray sha256Of(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QByteArray();
    return hash.result().toHex();
}

} // namespace Manifest
