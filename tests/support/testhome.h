#pragma once

#include "textprinter.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary application folder (KESTRIX_HOME) and settings location for one test. Both are
// set on construction and cleared again when the test ends.
class TestHome
{
public:
    TestHome();
    ~TestHome();

    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    // Writes bytes to a file below the folder (folders created as needed); returns its path.
    QString write(const QString &name, const QByteArray &bytes) const;

    // Writes the sample game folder and catalogue into the folder; returns the GOB path.
    QString writeSampleGame() const;

    // The environment for a child process: the same application folder and settings.
    QStringList environment() const;

private:
    QTemporaryDir m_dir;
};
