#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>

// The three files of a package and how their bytes are laid out.
//   install.data        8-byte records, no header: package offset P and size S, each a signed
//                       32-bit little-endian number, one record per item
//   file.data           the data regions of the items, one after the other, no separators
//   Replaced Files.txt  one line per item: the description between double quotes, CR LF
namespace PackageFiles {

QString installDataName(); // "install.data"
QString fileDataName(); // "file.data"
QString replacedFilesName(); // "Replaced Files.txt"

constexpr qint64 InstallRecordBytes = 8;

struct InstallRecord
{
    qint32 offset = 0;
    qint32 size = 0;
    qint64 regionStart() const;
    qint64 regionEnd() const { return regionStart() + size; }
};

QByteArray installRecordBytes(const InstallRecord &record);

// The line of Replaced Files.txt for a description, line end included. The description is
// written unchanged, in UTF-8 like every line of the file.
QByteArray replacedFilesLine(const QString &description);

// The lines of a Replaced Files.txt file (CR LF or a lone CR end a line), without their ends.
// Earlier copies wrote each line in Latin-1 or UTF-8 on its own, so a file that is not one
// encoding throughout is read line by line.
QStringList readReplacedFiles(const QString &path);

// A line of Replaced Files.txt without the double quotes around it.
QString unquoted(const QString &line);

// The number of records the progress display counts: the file length divided by 8, rounded
// to the nearest whole number (halves to the even neighbour). Only complete records are read.
int progressCount(qint64 installDataLength);

// The progress display's percentage after done of count steps, rounded to the nearest whole
// number (halves to the even neighbour): 33, 67, 100 for three steps.
int progressPercent(qint64 done, qint64 count);

// Calls visit for every complete record of install.data in order, numbered from 1; a trailing
// part of a record is ignored. The file is read a record at a time.
void forEachRecord(QFile &installData,
                   const std::function<void(qint64 number, const InstallRecord &record)> &visit);

// What is wrong with a data region of the GOB file, as a message about subject: a negative
// package offset, a negative size, or bytes past the end. Empty when the region lies inside.
QString regionProblem(const InstallRecord &region, qint64 gobSize, const QString &subject,
                      const QString &gobPath);

} // namespace PackageFiles
