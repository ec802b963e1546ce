#pragma once

#include "services/prompts.h"

// Prompts of the command-line tool: messages go to standard error, questions are asked on the
// terminal, and there are no file dialogs (every path is given on the command line).
class ConsolePrompts : public Prompts
{
public:
    // assumeYes answers every question with Yes without asking.
    explicit ConsolePrompts(bool assumeYes = false);

    std::optional<QString> openFile(QWidget *, const QString &, const QList<FileFilter> &,
                                    const QString &) override;
    std::optional<QString> chooseFolder(QWidget *, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QString> saveFile(QWidget *, const QString &, const QList<FileFilter> &,
                                    const QString &) override;
    Answer message(QWidget *owner, const Message &message) override;
    std::optional<QString> input(QWidget *owner, const QString &prompt, const QString &title,
                                 const QString &defaultText) override;

    // Writes a line to standard error.
    static void printError(const QString &text);
    // Writes a line to standard output.
    static void print(const QString &text);
    // Writes one record to standard output: the fields separated by tabs, each with its control
    // characters written as \n, \r, \t or \xHH and a backslash as \\, so that a record is one
    // line whatever its fields hold.
    static void printRecord(const QStringList &fields);

private:
    bool m_assumeYes;
};
