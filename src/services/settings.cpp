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

QVariant storedValue(const char *key, const QVariant &defaultValue)
{
    const QSettings store(StoreFormat, QSettings::UserScope, QStringLiteral("Kestrix"),
                          QStringLiteral("Torvane"));
    return store.value(fullKey(key), defaultValue);
}

void storeValue(const char *key, const QVariant &value)
{
    QSettings store(StoreFormat, QSettings::UserScope, QStringLiteral("Kestrix"),
                    QStringLiteral("Torvane"));
    store.setValue(fullKey(key), value);
    store.sync();
}

} // namespace

QString read(const char *key, const QString &defaultValue)
{
    return storedValue(key, defaultValue).toString();
}

void save(const char *key, const QString &value)
{
    storeValue(key, value);
}

QStringList readList(const char *key)
{
    return storedValue(key, QStringList()).toStringList();
}

void saveList(const char *key, const QStringList &values)
{
    storeValue(key, values);
}

} // namespace Settings
