#pragma once

#include "catalogueentry.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>

#include <functional>
#include <utility>

// The item catalogue BmpList.txt as text: two header lines, then one entry a line. A line ends
// at CR LF or at a lone CR; a lone LF belongs to the line. The end of the file ends the last
// line, with or without a line ending. The file is text as any Windows editor saves it: UTF-16
// with a byte-order mark ("Unicode"), UTF-8 with or without one, or the Western code page.
class Catalogue
{
public:
    // Reads the whole file; throws a Failure naming the file when it cannot be read or holds
    // fewer than the two header lines.
    static Catalogue read(const QString &path);

    // The catalogue held in bytes (path names it in messages); throws like read().
    static Catalogue fromBytes(const QByteArray &bytes, const QString &path);

    // The text of entry k of the catalogue file, as read(path).entryLine(k) gives it and with
    // the same failures, without keeping the other lines.
    static QString readEntryLine(const QString &path, int k);

    // Gives entry k's text to take(k, line) for each entry line in file order, reading the file
    // a block at a time and keeping no more of it than one line: a listing of a long catalogue.
    // The lines are read()'s, and so are the failures, which come before the first line (but
    // a read that fails further on); a catalogue read whole takes its encoding from the whole
    // file, so a byte that is not ASCII has the rest of the file checked for UTF-8 first.
    static void forEachEntryLine(const QString &path,
                                 const std::function<void(int, QStringView)> &take);

    // The first line of the catalogue file; throws a Failure when it cannot be read.
    static QString firstLineOf(const QString &path);

    // Splits catalogue text into lines by the rule above.
    static QStringList splitLines(const QString &text);

    // Decodes the file's bytes: UTF-16 when they begin with its byte-order mark, UTF-8 (without
    // its byte-order mark) when they are valid UTF-8, else Windows-1252.
    static QString decode(const QByteArray &bytes);

    // The lines of text whose lines may each have been written in another encoding: UTF-16
    // with a byte-order mark is decoded whole, anything else line by line, each line as UTF-8
    // when it is valid UTF-8, else as Windows-1252.
    static QStringList decodeLineByLine(const QByteArray &bytes);

    // Fields of a line: split at every ",", no quoting, blanks kept.
    static QStringList splitFields(const QString &line);

    // The same fields as views into the line, or only the first most of them.
    using Fields = QVarLengthArray<QStringView, 32>;
    static Fields fieldsOf(QStringView line, qsizetype most = -1);

    // The 1-based line number in the file of entry k (counting from 0).
    static int lineNumberOfEntry(int k) { return k + 3; }

    const QString &path() const { return m_path; }
    QString firstLine() const { return line(0); }
    QString otherItemsLine() const { return line(1); }
    int entryCount() const { return int(m_lineStarts.size()) - 3; }

    // The text of entry k; throws a Failure naming the line when the file has no such line.
    QString entryLine(int k) const;
    // Entry k parsed in full; throws like entryLine() and CatalogueEntry::parse().
    CatalogueEntry entry(int k,
                         CatalogueEntry::SubFiles subFiles = CatalogueEntry::SubFiles::Kept) const;

    // The display text of every entry line, in file order; throws a Failure naming the first
    // line whose display text cannot be taken.
    QStringList displayTexts() const;

    // The display text of entry k alone; throws like displayTexts() for that line.
    QString displayText(int k) const;

private:
    QString line(qsizetype i) const;

    QString m_path;
    // The file is kept as UTF-8 bytes (those of the file itself, when it is UTF-8) and each line
    // as its start in them: a catalogue of many thousands of lines is neither decoded whole nor
    // cut into a string a line; a line is decoded when it is asked for.
    QByteArray m_bytes;
    qsizetype m_start = 0; // past a byte-order mark
    QList<qsizetype> m_lineStarts; // and the end of the bytes after the last line's start
};

// The display text of a line's fields: field 1 when field 0 begins with "$", else field 0.
// Throws a Failure naming the catalogue file and the line when that field is missing (an empty
// line).
QString displayTextOf(const Catalogue::Fields &fields, int lineNumber,
                      const QString &cataloguePath);
