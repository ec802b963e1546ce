#include "benchhome.h"

#include <QSettings>

BenchHome::BenchHome()
{
    qputenv("KESTRIX_HOME", m_dir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/config")).toUtf8());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       m_dir.path() + QStringLiteral("/config"));
}
