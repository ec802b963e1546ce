#pragma once

#include "testhome.h"

#include <QHash>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

// kestrix-cli's exit status and what it wrote.
struct CliResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

// kestrix-cli tests written as command lines: a word of a line that is a key of `paths` stands
// for that path (which may hold blanks).
class CliTest : public ::testing::Test
{
protected:
    // Runs the line with the input on standard input (and standard output into outFile when
    // one is given).
    CliResult cli(const QString &line, const QByteArray &input = {},
                  const QString &outFile = {}) const
    {
        QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        for (QString &word : words)
            word = paths.value(word, word);
        QProcess process; // in the test's application folder
        process.setEnvironment(home.environment() + environment);
        if (!outFile.isEmpty())
            process.setStandardOutputFile(outFile);
        process.start(program, words);
        process.waitForStarted();
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    // The line refused with exit status 1 and a message holding text.
    void expectRefused(const QString &line, const QString &text) const
    {
        const CliResult r = cli(line);
        EXPECT_EQ(r.exitCode, 1) << line.toStdString();
        EXPECT_TRUE(r.err.contains(text)) << line.toStdString() << ": " << r.err.toStdString();
    }

    TestHome home;
    QHash<QString, QString> paths;
    QString program = QStringLiteral(KESTRIX_CLI);
    QStringList environment; // "NAME=value" besides the test's folders
};
