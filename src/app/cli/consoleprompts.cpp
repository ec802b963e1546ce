#include "consoleprompts.h"

#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString readLine()
{
    QTextStream in(stdin);
    return in.readLine();
}

// A control character (Unicode's Cc: U+0000-U+001F and U+007F-U+009F) or the backslash.
bool needsEscape(char16_t c)
{
    return c < 0x20 || c == u'\\' || (c >= 0x7F && c <= 0x9F);
}

void appendEscaped(QString &text, QStringView field)
{
    if (std::none_of(field.begin(), field.end(),
                     [](QChar c) { return needsEscape(c.unicode()); })) {
        text += field; // nearly every field: copied whole
        return;
    }
    for (const QChar c : field) {
        if (c == u'\\')
            text += QStringLiteral("\\\\");
        else if (c == u'\n')
            text += QStringLiteral("\\n");
        else if (c == u'\r')
            text += QStringLiteral("\\r");
        else if (c == u'\t')
            text += QStringLiteral("\\t");
        else if (needsEscape(c.unicode()))
            text += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            text += c;
    }
}

// Standard output is written through stdio's buffer (a long listing is not flushed line by
// line) and checked once at the end; the first failure's reason is kept for that report.
bool quietRun = false;
bool outputClosed = false;
bool outputWritten = false;
int outputError = 0;
// Records waiting for standard output, written in one piece of many lines: a listing of a long
// catalogue would otherwise encode and write each line on its own.
QString pendingRecords;
constexpr qsizetype PendingLimit = 32 * 1024;

// Writes every byte, a NUL included, so that no message is cut short.
bool writeLine(const QString &text, FILE *stream)
{
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
}

void writePending()
{
    if (pendingRecords.isEmpty())
        return;
    const QByteArray bytes = pendingRecords.toLocal8Bit();
    pendingRecords.resize(0); // keeps its room for the next lines
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size())
        && outputError == 0)
        outputError = errno;
}

} // namespace

void ConsolePrompts::guardStandardStreams()
{
    // A closed descriptor would be handed to the next file opened, and the listing written
    // into it; /dev/null holds the place, and the end says that standard output was closed.
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        if (fd == 1)
            outputClosed = true;
        if (::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd)
            return;
    }
}

bool ConsolePrompts::outputWasClosed()
{
    return outputClosed;
}

void ConsolePrompts::setOutputWasClosed(bool closed)
{
    outputClosed = closed;
}

int ConsolePrompts::finishOutput(int status)
{
    if (outputClosed && outputWritten && outputError == 0)
        outputError = EBADF;
    writePending();
    if (std::fflush(stdout) != 0 && outputError == 0)
        outputError = errno;
    if (outputError == 0)
        return status;
    printError(QStringLiteral("kestrix-cli: write error: ")
               + QString::fromLocal8Bit(std::strerror(outputError)));
    return 1;
}

void ConsolePrompts::setQuiet(bool quiet)
{
    quietRun = quiet;
}

void ConsolePrompts::report(const QString &text)
{
    if (!quietRun)
        print(text);
}

void ConsolePrompts::note(const QString &text)
{
    if (!quietRun)
        printError(text);
}

ConsolePrompts::ConsolePrompts(bool assumeYes)
    : m_assumeYes(assumeYes)
{
}

void ConsolePrompts::printError(const QString &text)
{
    writePending(); // on a terminal, a message stays below the records before it
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    writeLine(line, stderr);
    std::fflush(stderr);
}

void ConsolePrompts::print(const QString &text)
{
    writePending();
    outputWritten = true;
    if (!writeLine(text, stdout) && outputError == 0)
        outputError = errno;
}

void ConsolePrompts::printRecord(std::initializer_list<QStringView> fields)
{
    outputWritten = true;
    bool first = true;
    for (const QStringView field : fields) {
        if (!first)
            pendingRecords += u'\t';
        first = false;
        appendEscaped(pendingRecords, field);
    }
    pendingRecords += u'\n';
    if (pendingRecords.size() >= PendingLimit)
        writePending();
}

std::optional<QString> ConsolePrompts::openFile(QWidget *, const QString &,
                                                const QList<FileFilter> &, const QString &)
{
    return std::nullopt;
}

std::optional<QString> ConsolePrompts::saveFile(QWidget *, const QString &,
                                                const QList<FileFilter> &, const QString &)
{
    return std::nullopt;
}

Answer ConsolePrompts::message(QWidget *, const Message &message)
{
    if (message.buttons == MessageButtons::Ok) {
        // A note of success ("Imported Sucessfully") is one more line a quiet run leaves out.
        if (!quietRun || message.icon != MessageIcon::Information)
            printError(message.text);
        return Answer::Ok;
    }
    if (m_assumeYes)
        return Answer::Yes;
    // A question whose text opens with its title says it once.
    printError(message.text.startsWith(message.title)
                   ? message.text
                   : message.title + QStringLiteral(": ") + message.text);
    for (const QString &item : message.items)
        printError(item);
    std::fputs("[yes/no] ", stderr);
    std::fflush(stderr);
    const QString answer = readLine().trimmed().toLower();
    return answer == QStringLiteral("yes") || answer == QStringLiteral("y") ? Answer::Yes
                                                                            : Answer::No;
}

std::optional<QString> ConsolePrompts::input(QWidget *, const QString &prompt, const QString &,
                                             const QString &defaultText)
{
    printError(prompt);
    const QString answer = readLine();
    if (answer.isNull())
        return std::nullopt;
    return answer.isEmpty() ? defaultText : answer;
}
