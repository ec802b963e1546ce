#include "consoleprompts.h"

#include <QTextStream>

#include <cstdio>

namespace {

QString readLine()
{
    QTextStream in(stdin);
    return in.readLine();
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
