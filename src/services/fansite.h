#pragma once

#include <QString>
#include <QUrl>

// The Torvane fan site: its news pages, the developers' page and the catalogue downloads.
// A packager changes the address here, in one place.
namespace FanSite {

inline QString baseAddress()
{
    return QStringLiteral("https://torvane.example/");
}

inline QUrl page(const QString &path = QString())
{
    return QUrl(baseAddress() + path);
}

inline QString hostName()
{
    return QUrl(baseAddress()).host();
}

} // namespace FanSite
