#pragma once

#include <QList>
#include <QString>

// One sub file of a catalogue entry.
struct SubFile
{
    qint32 offset = 0; // catalogue offset O; the record starts at 0-based GOB byte O - 1
    QString caption; // caption of its option button
    qint32 areaSize = 0; // bytes of a whole-file record's area (kilobytes x 1024); 0 for bitmaps
};

// A catalogue entry line, parsed in full and checked: a bitmap entry (description, N, then N
// offset-caption pairs) or a whole-file entry ("$type", description, N, then N
// offset-caption-size triples).
class CatalogueEntry
{
public:
    // Parses the line with the given 1-based line number of the catalogue file at cataloguePath,
    // split into fields as Catalogue::splitFields does. Throws a Failure naming the file and the
    // line when the count is not a whole number from 1 up, the line has fewer fields than the count
    // calls for, or an offset or size is no usable number.
    // With SubFiles::Counted every sub file is checked as well but only their number is kept
    // (subFile() and subFiles() then have none): a listing of the entries needs no more.
    enum class SubFiles { Kept, Counted };
    static CatalogueEntry parse(QStringView line, int lineNumber, const QString &cataloguePath,
                                SubFiles subFiles = SubFiles::Kept);

    // Area bytes of a size in kilobytes: value x 1024, halves to the even neighbour.
    static qint32 kilobytesToBytes(QStringView kilobytes);

    bool isWholeFile() const { return m_wholeFile; }
    const QString &typeName() const { return m_typeName; } // "png" of "$png"; empty for bitmaps
    const QString &description() const { return m_description; }
    int lineNumber() const { return m_lineNumber; }
    int count() const { return m_count; }
    // The kind of the entry's records: "bitmap" or "file:TYPE".
    QString kind() const;
    const SubFile &subFile(int i) const { return m_subFiles.at(i - 1); } // i counts from 1
    const QList<SubFile> &subFiles() const { return m_subFiles; }
    // "description/caption": how packages and the history name sub file i (from 1).
    QString recordName(int i) const { return m_description + u'/' + subFile(i).caption; }

private:
    bool m_wholeFile = false;
    QString m_typeName;
    QString m_description;
    int m_lineNumber = 0;
    int m_count = 0;
    QList<SubFile> m_subFiles;
};
