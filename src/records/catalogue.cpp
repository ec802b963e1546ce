#include "catalogue.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QStringDecoder>

Catalogue Catalogue::read(const QString &path)
{
    auto file = FileAccess::openForReading(path);
    const QByteArray bytes = file->readAll();
    if (file->error() != QFileDevice::NoError)
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("read"), FileAccess::displayPath(path),
                                            file->errorString()));
    file->close();
    return fromBytes(bytes, path);
}

Catalogue Catalogue::fromBytes(const QByteArray &bytes, const QString &path)
{
    Catalogue catalogue;
    catalogue.m_path = path;
    catalogue.m_lines = splitLines(decode(bytes));
    if (catalogue.m_lines.size() < 2)
        throw Failure(FailureNumber::BadCatalogue,
                      Messages::catalogueTooShort(FileAccess::displayPath(path)));
    return catalogue;
}

QString Catalogue::firstLineOf(const QString &path)
{
    auto file = FileAccess::openForReading(path);
    // A line ends at CR; reading up to the first CR is enough however long the file is.
    QByteArray head;
    while (!file->atEnd() && !head.contains('\r'))
        head += file->read(4096);
    const qsizetype cr = head.indexOf('\r');
    if (cr >= 0)
        head.truncate(cr);
    return decode(head);
}

QString Catalogue::decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QStringList Catalogue::splitLines(const QString &text)
{
    QStringList lines;
    QString current;
    bool pending = false; // characters (or an empty line) seen since the last line end
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            lines << current;
            current.clear();
            pending = false;
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        lines << current;
    return lines;
}

QStringList Catalogue::splitFields(const QString &line)
{
    // An empty line has no fields at all.
    if (line.isEmpty())
        return {};
    return line.split(u',');
}

const QString &Catalogue::entryLine(int k) const
{
    if (k < 0 || k >= entryCount())
        throw Failure(FailureNumber::BadCatalogue,
                      Messages::catalogueLineMissing(lineNumberOfEntry(k)));
    return m_lines.at(k + 2);
}

QStringList Catalogue::displayTexts() const
{
    QStringList texts;
    texts.reserve(entryCount());
    for (int k = 0; k < entryCount(); ++k)
        texts << displayTextOf(splitFields(m_lines.at(k + 2)), lineNumberOfEntry(k));
    return texts;
}

QString displayTextOf(const QStringList &fields, int lineNumber)
{
    if (fields.isEmpty())
        throw Failure(FailureNumber::BadCatalogue, Messages::catalogueLineEmpty(lineNumber));
    if (fields.at(0).startsWith(u'$')) {
        if (fields.size() < 2)
            throw Failure(FailureNumber::BadCatalogue,
                          Messages::catalogueNoDescription(lineNumber));
        return fields.at(1);
    }
    return fields.at(0);
}
