#include "gamefolder.h"

namespace GameFolder {

namespace {

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

} // namespace

qsizetype dataFolderIndex(const QString &gobPath, qsizetype from)
{
    for (qsizetype i = qMax<qsizetype>(0, from); i + 5 < gobPath.size(); ++i) {
        if (isSeparator(gobPath[i]) && isSeparator(gobPath[i + 5])
            && gobPath.mid(i + 1, 4).compare(QStringLiteral("data"), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString gameFolderOf(const QString &gobPath)
{
    const qsizetype i = dataFolderIndex(gobPath);
    return i < 0 ? QString() : gobPath.left(i + 1);
}

QString batsFolderOf(const QString &gobPath)
{
    const qsizetype i = dataFolderIndex(gobPath, 4);
    return i < 0 ? QString() : gobPath.left(i + 6) + QStringLiteral("bats/");
}

} // namespace GameFolder
