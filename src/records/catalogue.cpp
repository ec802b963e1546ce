#include "catalogue.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QFile>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <optional>

namespace {

// The file is not one of the program's registered open files: a catalogue may be read on a
// thread of its own (the registry belongs to the main thread), and it is closed on return.
QByteArray readCatalogueBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileAccess::failureOf(file, QStringLiteral("open"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("read"), FileAccess::displayPath(path),
                                            file.errorString()));
    return bytes;
}

// Calls take(start, length) for each line of text (a QString, or the bytes of a text in an
// encoding where CR and LF are single bytes) by the rule of splitLines, in order, until it returns
// false. Each line is found whole at its CR: catalogues run to tens of thousands of lines.
template<typename Text, typename Take>
void forEachLine(const Text &text, Take take)
{
    using Char = typename Text::value_type;
    const qsizetype end = text.size();
    qsizetype start = 0;
    while (start < end) {
        const qsizetype cr = text.indexOf(Char('\r'), start);
        if (!take(start, (cr < 0 ? end : cr) - start) || cr < 0)
            return; // without a CR, the end of the text ends the last line
        start = cr + 1;
        if (start < end && text.at(start) == Char('\n'))
            ++start;
    }
}

// A catalogue of fewer than two lines; one whose lines end in LF alone (saved by an editor that
// dropped the CRs) is told so, since to the user it has many lines.
Failure tooShort(const QString &text, const QString &path)
{
    const QString shown = FileAccess::displayPath(path);
    return Failure(FailureNumber::BadCatalogue,
                   text.contains(u'\n') ? Messages::catalogueLineFeedsOnly(shown)
                                        : Messages::catalogueTooShort(shown));
}

bool startsWithUtf16Mark(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// UTF-8 when the bytes are valid UTF-8, else the Western Windows code page through Qt's ICU
// codecs (or Latin-1, which differs from it only in 0x80-0x9F, where Qt was built without them).
// The check runs over the bytes without decoding them, so a valid line is decoded once.
class Utf8OrWindows
{
public:
    QString operator()(QByteArrayView bytes)
    {
        if (bytes.isValidUtf8()) {
            if (bytes.startsWith("\xEF\xBB\xBF"))
                bytes = bytes.sliced(3); // the byte-order mark is no part of the text
            return QString::fromUtf8(bytes);
        }
        if (!m_windows)
            m_windows.emplace("windows-1252", QStringDecoder::Flag::Stateless);
        return m_windows->isValid() ? QString(m_windows->decode(bytes))
                                    : QString::fromLatin1(bytes);
    }

private:
    std::optional<QStringDecoder> m_windows;
};

} // namespace

Catalogue Catalogue::read(const QString &path)
{
    return fromBytes(readCatalogueBytes(path), path);
}

QString Catalogue::readEntryLine(const QString &path, int k)
{
    const QString text = decode(readCatalogueBytes(path));
    const qsizetype wanted = qsizetype(k) + 2;
    qsizetype count = 0;
    QString line;
    forEachLine(text, [&](qsizetype start, qsizetype length) {
        if (count == wanted)
            line = text.mid(start, length);
        return ++count <= qMax<qsizetype>(wanted, 1);
    });
    if (count < 2)
        throw tooShort(text, path);
    if (k < 0 || count <= wanted)
        throw Failure(
            FailureNumber::BadCatalogue,
            Messages::catalogueLineMissing(FileAccess::displayPath(path), lineNumberOfEntry(k)));
    return line;
}

Catalogue Catalogue::fromBytes(const QByteArray &bytes, const QString &path)
{
    Catalogue catalogue;
    catalogue.m_path = path;
    if (QByteArrayView(bytes).isValidUtf8()) {
        catalogue.m_bytes = bytes; // shared, not copied
        if (bytes.startsWith("\xEF\xBB\xBF"))
            catalogue.m_start = 3; // the byte-order mark is no part of the first line
    } else {
        catalogue.m_bytes = decode(bytes).toUtf8(); // UTF-16 or Windows-1252: decoded once
    }
    const QByteArrayView text = QByteArrayView(catalogue.m_bytes).sliced(catalogue.m_start);
    catalogue.m_lineStarts.reserve(text.count('\r') + 2);
    forEachLine(text, [&](qsizetype start, qsizetype) {
        catalogue.m_lineStarts.append(catalogue.m_start + start);
        return true;
    });
    if (catalogue.m_lineStarts.size() < 2)
        throw tooShort(QString::fromUtf8(text), path);
    catalogue.m_lineStarts.append(catalogue.m_bytes.size());
    return catalogue;
}

QString Catalogue::line(qsizetype i) const
{
    // A line runs to the start of the next, less the CR or CR LF that ended it (the last line
    // may have none, and a lone LF belongs to its line).
    const char *bytes = m_bytes.constData();
    const qsizetype start = m_lineStarts.at(i);
    qsizetype end = m_lineStarts.at(i + 1);
    if (end - start >= 2 && bytes[end - 2] == '\r' && bytes[end - 1] == '\n')
        end -= 2;
    else if (end > start && bytes[end - 1] == '\r')
        end -= 1;
    return QString::fromUtf8(bytes + start, end - start);
}

QString Catalogue::firstLineOf(const QString &path)
{
    // How the first line decodes depends on the whole file: one byte further on that is not
    // UTF-8 makes it Windows-1252.
    const QString text = decode(readCatalogueBytes(path));
    QString line;
    forEachLine(text, [&](qsizetype start, qsizetype length) {
        line = text.mid(start, length);
        return false;
    });
    return line;
}

QString Catalogue::decode(const QByteArray &bytes)
{
    if (startsWithUtf16Mark(bytes)) // the decoder takes the byte order from the mark, and drops it
        return QStringDecoder(QStringDecoder::Utf16).decode(bytes);
    return Utf8OrWindows()(bytes);
}

QStringList Catalogue::decodeLineByLine(const QByteArray &bytes)
{
    if (startsWithUtf16Mark(bytes))
        return splitLines(decode(bytes));
    QStringList lines;
    lines.reserve(bytes.count('\r') + 1);
    Utf8OrWindows decode;
    forEachLine(bytes, [&](qsizetype start, qsizetype length) {
        lines << decode(QByteArrayView(bytes).sliced(start, length));
        return true;
    });
    return lines;
}

QStringList Catalogue::splitLines(const QString &text)
{
    QStringList lines;
    lines.reserve(text.count(u'\r') + 1);
    forEachLine(text, [&](qsizetype start, qsizetype length) {
        lines << text.mid(start, length);
        return true;
    });
    return lines;
}

QStringList Catalogue::splitFields(const QString &line)
{
    // An empty line has no fields at all.
    if (line.isEmpty())
        return {};
    return line.split(u',');
}

Catalogue::Fields Catalogue::fieldsOf(QStringView line, qsizetype most)
{
    Fields fields;
    if (line.isEmpty())
        return fields; // as splitFields: an empty line has no fields
    qsizetype start = 0;
    while (fields.size() != most) {
        const qsizetype comma = line.indexOf(u',', start);
        fields.append(line.mid(start, comma < 0 ? line.size() - start : comma - start));
        if (comma < 0)
            break;
        start = comma + 1;
    }
    return fields;
}

QString Catalogue::entryLine(int k) const
{
    if (k < 0 || k >= entryCount())
        throw Failure(
            FailureNumber::BadCatalogue,
            Messages::catalogueLineMissing(FileAccess::displayPath(m_path), lineNumberOfEntry(k)));
    return line(k + 2);
}

CatalogueEntry Catalogue::entry(int k, CatalogueEntry::SubFiles subFiles) const
{
    return CatalogueEntry::parse(entryLine(k), lineNumberOfEntry(k), m_path, subFiles);
}

QStringList Catalogue::displayTexts() const
{
    // Only the first two fields matter, so a line is not split into all of its fields.
    QStringList texts;
    texts.reserve(entryCount());
    for (int k = 0; k < entryCount(); ++k)
        texts << displayText(k);
    return texts;
}

QString Catalogue::displayText(int k) const
{
    return displayTextOf(fieldsOf(entryLine(k), 2), lineNumberOfEntry(k), m_path);
}

QString displayTextOf(const Catalogue::Fields &fields, int lineNumber, const QString &cataloguePath)
{
    const auto line = [&] {
        return Messages::catalogueLine(FileAccess::displayPath(cataloguePath), lineNumber);
    };
    if (fields.isEmpty())
        throw Failure(FailureNumber::BadCatalogue, Messages::catalogueLineEmpty(line()));
    if (fields.at(0).startsWith(u'$')) {
        if (fields.size() < 2)
            throw Failure(FailureNumber::BadCatalogue, Messages::catalogueNoDescription(line()));
        return fields.at(1).toString();
    }
    return fields.at(0).toString();
}
