#pragma once

#include <QString>
#include <QStringList>

// The per-user settings store: application "Torvane", section "Optora", text values.
namespace Settings {

// Keys of the values the program keeps.
inline constexpr char GobKey[] = "GOB";
inline constexpr char TransparentKey[] = "Transparent";
inline constexpr char InitDirKey[] = "InitDir";
inline constexpr char WidthKey[] = "W";
inline constexpr char HeightKey[] = "H";
inline constexpr char GeometryKey[] = "Geometry"; // the main window's size and place
inline constexpr char RecentKey[] = "Recent"; // the GOB files chosen before, the latest first
inline constexpr char PreviewZoomKey[] = "PreviewZoom"; // a zoom factor, or "fit"
inline constexpr char PaletteZoomKey[] = "PaletteZoom"; // the palette editor's picture
inline constexpr char ConfirmZoomKey[] = "ConfirmZoom"; // both pictures of the confirmation
inline constexpr char HistoryLimitKey[] = "HistoryLimit"; // bytes the history of a GOB file keeps

// The file the values are kept in.
QString location();

QString read(const char *key, const QString &defaultValue = QString());
void save(const char *key, const QString &value);
QStringList readList(const char *key);
void saveList(const char *key, const QStringList &values);

} // namespace Settings
