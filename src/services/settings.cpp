#include "settings.h"

#include "apppath.h"

#include <QSettings>

#include <memory>

namespace Settings {

namespace {

// An ini file: Torvane.ini in the folder KESTRIX_HOME names, so that each application folder
// remembers its own GOB file (a GOB file remembered for another folder's catalogue would be
// written at that catalogue's offsets); without it, in the user's configuration folder (on
// Linux ~/.config/Kestrix/Torvane.ini, moved by QSettings::setPath or XDG_CONFIG_HOME).
constexpr QSettings::Format StoreFormat = QSettings::IniFormat;

std::unique_ptr<QSettings> openStore()
{
    if (!qEnvironmentVariableIsEmpty("KESTRIX_HOME"))
        return std::make_unique<QSettings>(MainModule::AppPath() + QStringLiteral("Torvane.ini"),
                                           StoreFormat);
    return std::make_unique<QSettings>(StoreFormat, QSettings::UserScope, QStringLiteral("Kestrix"),
                                       QStringLiteral("Torvane"));
}

QString fullKey(const char *key)
{
    return QStringLiteral("Optora/") + QString::fromLatin1(key);
}

QVariant storedValue(const char *key, const QVariant &defaultValue)
{
    return openStore()->value(fullKey(key), defaultValue);
}

void storeValue(const char *key, const QVariant &value)
{
    const std::unique_ptr<QSettings> store = openStore();
    store->setValue(fullKey(key), value);
    store->sync();
}

} // namespace

QString location()
{
    return openStore()->fileName();
}

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
