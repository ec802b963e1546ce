#include "testhome.h"

#include "records/samplegame.h"
#include "services/openfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSettings>

TestHome::TestHome()
{
    qputenv("KESTRIX_HOME", m_dir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/config")).toUtf8());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       m_dir.path() + QStringLiteral("/config"));
    // The package window's local socket lives in the runtime folder: one per test.
    const QString run = m_dir.path() + QStringLiteral("/run");
    QDir().mkpath(run);
    QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", run.toUtf8());
}

TestHome::~TestHome()
{
    MainModule::CloseAllFiles();
    qunsetenv("KESTRIX_HOME");
}

QString TestHome::write(const QString &name, const QByteArray &bytes) const
{
    const QString target = file(name);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile f(target);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return target;
}

QString TestHome::writeSampleGame() const
{
    return SampleGame::write(m_dir.path()).gob;
}

QStringList TestHome::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KESTRIX_HOME"), m_dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path() + QStringLiteral("/run"));
    return env.toStringList();
}
