#include "helppages.h"

#include "apppath.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace MainModule {

QString helpFolder()
{
    // The pages lie beside the executable, whatever the application folder is.
    return withTrailingSlash(QCoreApplication::applicationDirPath()) + QStringLiteral("help/");
}

QUrl helpPage(int topic)
{
    const QString page =
        topic == 0 ? QStringLiteral("index.htm") : QString::number(topic) + QStringLiteral(".htm");
    return QUrl::fromLocalFile(helpFolder() + page);
}

} // namespace MainModule
