#include "settings.h"

#include <QSettings>

namespace Settings {

namespace {

// An ini file in the user's configuration folder (on Linux ~/.config/Kestrix/Torvane.ini),
// so that tests can move it with QSettings::setPath or XDG_CONFIG_HOME.
constexpr QSettings::Format StoreFormat = QSettings::IniFormat;

QString fullKey(const char *key)
{
    return QStringLiteral("Optora/") + QString::fromLatin1(key);
}

} // namespace

QString read(const char *key, const QString &defaultValue)
{
    QSettings store(StoreFormat, QSettings::UserScope, QStringLiteral("Kestrix"),
                    QStringLiteral("Torvane"));
    return store.value(fullKey(key), defaultValue).toString();
}

void save(const char *key, const QString &value)
{
    QSettings store(StoreFormat, QSettings::UserScope, QStringLiteral("Kestrix"),
                    QStringLiteral("Torvane"));
    store.setValue(fullKey(key), value);
    store.sync();
}

} // namespace Settings
