#pragma once

#include "testhome.h"

#include <QProcess>
#include <QStringList>

// Runs kestrix-cli in the test's application folder.
struct CliResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliResult runCli(const TestHome &home, const QStringList &args, const QByteArray &input = {})
{
    QProcess process;
    process.setEnvironment(home.environment());
    process.start(QStringLiteral(KESTRIX_CLI), args);
    process.waitForStarted();
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// The words that name a record for a verb: VERB --catalogue C --gob G --entry K --sub I.
inline QStringList recordArgs(const QString &verb, const QString &catalogue, const QString &gob,
                              int entry, int sub = 1)
{
    return {verb,
            QStringLiteral("--catalogue"),
            catalogue,
            QStringLiteral("--gob"),
            gob,
            QStringLiteral("--entry"),
            QString::number(entry),
            QStringLiteral("--sub"),
            QString::number(sub)};
}
