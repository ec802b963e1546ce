#pragma once

#include "services/prompts.h"

#include <QTemporaryDir>

// main() of a benchmark program: a headless application, then every benchmark.
int runBenchmarks(int argc, char **argv);

// A temporary application folder and settings location for one benchmark program.
class BenchHome
{
public:
    BenchHome();

    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// Prompts that answer nothing and count what would have been shown: a benchmark that sees a
// message has measured a failure.
class SilentPrompts : public Prompts
{
public:
    std::optional<QString> openFile(QWidget *, const QString &, const QList<FileFilter> &,
                                    const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QString> saveFile(QWidget *, const QString &, const QList<FileFilter> &,
                                    const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QString> chooseFolder(QWidget *, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    Answer message(QWidget *, const Message &message) override
    {
        ++shown;
        last = message.text;
        return message.defaultAnswer;
    }
    std::optional<QString> input(QWidget *, const QString &, const QString &,
                                 const QString &) override
    {
        return std::nullopt;
    }

    int shown = 0;
    QString last;
};
