#include "catalogue.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QFile>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// A block of a catalogue read a block at a time (a listing).
constexpr qint64 StreamBlock = qint64(256) << 10;

Failure readFailure(const QFile &file, const QString &path)
{
    return Failure(FailureNumber::FileAccess,
                   Messages::fileFailure(QStringLiteral("read"), FileAccess::displayPath(path),
                                         file.errorString()));
}

// The file is not one of the program's registered open files: a catalogue may be read on a
// thread of its own (the registry belongs to the main thread), and it is closed on return.
QByteArray readCatalogueBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileAccess::failureOf(file, QStringLiteral("open"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw readFailure(file, path);
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
Failure tooShort(bool lineFeeds, const QString &path)
{
    const QString shown = FileAccess::displayPath(path);
    return Failure(FailureNumber::BadCatalogue,
                   lineFeeds ? Messages::catalogueLineFeedsOnly(shown)
                             : Messages::catalogueTooShort(shown));
}

bool startsWithUtf16Mark(QByteArrayView bytes)
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
        return windows(bytes);
    }

    QString windows(QByteArrayView bytes)
    {
        if (!m_windows)
            m_windows.emplace("windows-1252", QStringDecoder::Flag::Stateless);
        return m_windows->isValid() ? QString(m_windows->decode(bytes))
                                    : QString::fromLatin1(bytes);
    }

private:
    std::optional<QStringDecoder> m_windows;
};

// Whether head (the rest of a block already read) and the file from its position to its end are
// UTF-8 together; read a block at a time, the position left at the end.
bool restIsUtf8(QFile &file, QByteArrayView head, const QString &path)
{
    QByteArray block(qMax(StreamBlock, head.size()) + 3, Qt::Uninitialized);
    qsizetype kept = 0;
    // Checks the bytes in the block but a sequence the next block may finish, kept at its start.
    const auto check = [&](qsizetype n) {
        qsizetype cut = n;
        for (qsizetype i = 1; i <= 3 && i <= n; ++i) {
            const uchar c = uchar(block[n - i]);
            if (c >= 0xC0)
                cut = n - i; // a lead byte: its sequence waits
            if (c < 0x80 || c >= 0xC0)
                break;
        }
        if (!QByteArrayView(block.constData(), cut).isValidUtf8())
            return false;
        kept = n - cut;
        std::memmove(block.data(), block.constData() + cut, size_t(kept));
        return true;
    };
    std::memcpy(block.data(), head.data(), size_t(head.size()));
    if (!check(head.size()))
        return false;
    qint64 n = 0;
    while ((n = file.read(block.data() + kept, StreamBlock)) > 0)
        if (!check(kept + qsizetype(n)))
            return false;
    if (n < 0)
        throw readFailure(file, path);
    return QByteArrayView(block.constData(), kept).isValidUtf8();
}

} // namespace

Catalogue Catalogue::read(const QString &path)
{
    return fromBytes(readCatalogueBytes(path), path);
}

void Catalogue::forEachEntryLine(const QString &path,
                                 const std::function<void(int, QStringView)> &take)
{
    auto file = FileAccess::openForReading(path);
    QByteArray block(StreamBlock, Qt::Uninitialized);
    qint64 n = file->read(block.data(), StreamBlock);
    if (n < 0)
        throw readFailure(*file, path);
    if (file->isSequential() || startsWithUtf16Mark(QByteArrayView(block).first(n))) {
        // A file that cannot be read twice, or UTF-16: read whole, as read() does.
        const QByteArray bytes = block.first(n) + file->readAll();
        if (file->error() != QFileDevice::NoError)
            throw readFailure(*file, path);
        const Catalogue catalogue = fromBytes(bytes, path);
        for (int k = 0; k < catalogue.entryCount(); ++k)
            take(k, catalogue.entryLine(k));
        return;
    }

    // Text that is ASCII so far reads the same in every encoding; at the first other byte the
    // rest of the file is checked, since a file is UTF-8 only when it is UTF-8 to its end.
    enum class Encoding { Ascii, Utf8, Windows } encoding = Encoding::Ascii;
    Utf8OrWindows decoder;
    qsizetype lines = 0;
    bool lineFeeds = false;
    const auto takeLine = [&](QByteArrayView bytes) {
        const qsizetype i = lines++;
        if (i >= 2)
            take(int(i - 2),
                 encoding == Encoding::Windows ? decoder.windows(bytes) : QString::fromUtf8(bytes));
    };
    QByteArray unfinished; // the start of a line that goes on in the next block
    bool lineFeedAhead = false; // a CR ended the last block: an LF starting this one is its
    for (; n > 0; n = file->read(block.data(), StreamBlock)) {
        const QByteArrayView data = QByteArrayView(block).first(n);
        if (encoding == Encoding::Ascii) {
            const auto other =
                std::find_if(data.begin(), data.end(), [](char c) { return uchar(c) >= 0x80; });
            if (other != data.end()) {
                const qint64 next = file->pos();
                encoding = restIsUtf8(*file, data.sliced(other - data.begin()), path)
                    ? Encoding::Utf8
                    : Encoding::Windows;
                if (!file->seek(next))
                    throw readFailure(*file, path);
            }
        }
        if (lines < 2)
            lineFeeds = lineFeeds || data.contains('\n');
        qsizetype start = lineFeedAhead && data.startsWith('\n') ? 1 : 0;
        lineFeedAhead = false;
        for (qsizetype cr; (cr = data.indexOf('\r', start)) >= 0;) {
            if (unfinished.isEmpty()) {
                takeLine(data.sliced(start, cr - start));
            } else {
                takeLine(unfinished.append(data.sliced(start, cr - start)));
                unfinished.clear();
            }
            start = cr + 1;
            if (start == n)
                lineFeedAhead = true;
            else if (data.at(start) == '\n')
                ++start;
        }
        unfinished.append(data.sliced(start));
    }
    if (n < 0)
        throw readFailure(*file, path);
    if (!unfinished.isEmpty())
        takeLine(unfinished); // the end of the file ends the last line
    if (lines < 2)
        throw tooShort(lineFeeds, path);
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
        throw tooShort(text.contains(u'\n'), path);
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
        throw tooShort(text.contains('\n'), path);
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
