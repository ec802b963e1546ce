#include "translations.h"

#include "apppath.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace MainModule {

namespace {

// Loads FILE_<language>.qm for the first of the system's languages that has one, from the first
// folder that holds it; the translator then belongs to the application.
void install(QCoreApplication &app, const QString &file, const QStringList &folders)
{
    auto *translator = new QTranslator(&app);
    for (const QString &folder : folders) {
        if (translator->load(QLocale(), file, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}

} // namespace

void InstallTranslations(QCoreApplication &app)
{
    // English is the language the texts are written in: nothing to look for.
    if (QLocale().uiLanguages().value(0).startsWith(QLatin1String("en")))
        return;
    const QString exe = withTrailingSlash(QCoreApplication::applicationDirPath());
    install(app, QStringLiteral("kestrix"),
            {exe + QStringLiteral("translations"),
             QDir::cleanPath(exe + QStringLiteral("../share/kestrix/translations"))});
    install(app, QStringLiteral("qtbase"), {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
}

} // namespace MainModule
