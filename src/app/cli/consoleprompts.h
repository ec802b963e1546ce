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
    std::optional<QString> saveFile(QWidget *, const QString &, const QList<FileFilter> &,
                                    const QString &) override;
    Answer message(QWidget *owner, const Message &message) override;
    std::optional<QString> input(QWidget *owner, const QString &prompt, const QString &title,
                                 const QString &defaultText) override;

    // Writes a line to standard error.
    static void printError(const QString &text);
    // Writes a line to standard output.
    static void print(const QString &text);

private:
    bool m_assumeYes;
};
