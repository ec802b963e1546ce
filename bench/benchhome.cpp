#include "benchhome.h"

#include <QApplication>
#include <QSettings>

#include <benchmark/benchmark.h>

BenchHome::BenchHome()
{
    qputenv("KESTRIX_HOME", m_dir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/config")).toUtf8());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       m_dir.path() + QStringLiteral("/config"));
}

int runBenchmarks(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
