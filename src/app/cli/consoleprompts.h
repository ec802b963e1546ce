#pragma once

#include "services/prompts.h"

#include <QStringView>

#include <initializer_list>

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

    // Opens /dev/null on any of the three standard descriptors that is closed, remembering
    // that standard output was; called first thing.
    static void guardStandardStreams();
    // Whether the guard found standard output closed: kestrix-cli's module of verbs starts after
    // the guard, with the descriptors open, and is told.
    static bool outputWasClosed();
    static void setOutputWasClosed(bool closed);
    // Flushes standard output: status when everything printed reached it, else 1 after the
    // system's reason on standard error.
    static int finishOutput(int status);

    // Silences report and note for the rest of the run (--quiet).
    static void setQuiet(bool quiet);
    // A line naming what a verb wrote, on standard output, unless quiet.
    static void report(const QString &text);
    // A note of success on standard error ("Done"), unless quiet.
    static void note(const QString &text);

    // Writes a line to standard error.
    static void printError(const QString &text);
    // Writes a line to standard output (buffered; see finishOutput).
    static void print(const QString &text);
    // Writes one record to standard output: the fields separated by tabs, each with its control
    // characters written as \n, \r, \t or \xHH and a backslash as \\, so that a record is one
    // line whatever its fields hold.
    static void printRecord(std::initializer_list<QStringView> fields);

private:
    bool m_assumeYes;
};
