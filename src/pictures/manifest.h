#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One exported file as the manifest lists it.
struct ManifestLine
{
    QString name; // relative to the folder, no separators
    int entry = 0; // from 0, in list order
    int subFile = 0; // from 1
    qint32 offset = 0; // catalogue offset
    QString kind; // "bitmap" or "file:TYPE"
    QByteArray sha256; // of the file as exported, 64 lower-case hex digits
    // A PNG of an image record has the record's first row on top, as the preview shows it;
    // exports made before the manifest said so have it at the bottom.
    bool firstRowOnTop = true;
};

// kestrix-export.tsv, the list of what an export wrote: a header line, then one line a file with
// its fields separated by tabs, in UTF-8 with LF line ends. The last field, "rows", is "top"
// when the record's first row is the PNG's top row; manifests without it are read as "bottom".
namespace Manifest {

QString fileName();
QByteArray text(const QList<ManifestLine> &lines);

struct Contents
{
    QList<ManifestLine> lines;
    QStringList problems; // "line 4: ..." for each line that cannot be used
};

// Reads the manifest of the folder; throws a Failure when it is missing or has another header.
Contents read(const QString &folder);

QByteArray sha256(const QByteArray &bytes);
// The sha256 of a file, read in blocks; empty when it cannot be read.
QByteArray sha256Of(const QString &path);

} // namespace Manifest
