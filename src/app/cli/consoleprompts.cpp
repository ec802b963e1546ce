#include "consoleprompts.h"

#include <QTextStream>

#include <cstdio>

namespace {

QString readLine()
{
    QTextStream in(stdin);
    return in.readLine();
}

QString escaped(const QString &field)
{
    QString text;
    text.reserve(field.size());
    for (const QChar c : field) {
        if (c == u'\\')
            text += QStringLiteral("\\\\");
        else if (c == u'\n')
            text += QStringLiteral("\\n");
        else if (c == u'\r')
            text += QStringLiteral("\\r");
        else if (c == u'\t')
            text += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control)
            text += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            text += c;
    }
    return text;
}

} // namespace

ConsolePrompts::ConsolePrompts(bool assumeYes)
    : m_assumeYes(assumeYes)
{
}

void ConsolePrompts::printError(const QString &text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void ConsolePrompts::print(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void ConsolePrompts::printRecord(const QStringList &fields)
{
    QStringList escapedFields;
    for (const QString &field : fields)
        escapedFields << escaped(field);
    print(escapedFields.join(u'\t'));
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
        printError(message.text);
        return Answer::Ok;
    }
    if (m_assumeYes)
        return Answer::Yes;
    printError(message.title + QStringLiteral(": ") + message.text);
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
