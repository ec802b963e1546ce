#pragma once

#include <QString>

// The per-user settings store: application "Torvane", section "Optora", text values.
namespace Settings {

// Keys of the values the program keeps.
inline constexpr char GobKey[] = "GOB";
inline constexpr char TransparentKey[] = "Transparent";
inline constexpr char InitDirKey[] = "InitDir";
inline constexpr char WidthKey[] = "W";
inline constexpr char HeightKey[] = "H";
inline constexpr char HistoryLimitKey[] = "HistoryLimit"; // bytes the history of a GOB file keeps

QString read(const char *key, const QString &defaultValue = QString());
void save(const char *key, const QString &value);

} // namespace Settings
