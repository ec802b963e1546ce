#include "inputfile.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QFileInfo>

void requireInputFile(const QString &path, bool nonEmpty)
{
    const QFileInfo info(path);
    QString reason;
    if (path.isEmpty() || !info.exists())
        reason = Messages::fileDoesNotExist();
    else if (info.isDir())
        reason = Messages::isAFolder();
    else if (nonEmpty && info.size() == 0)
        reason = Messages::fileIsEmpty();
    else
        return;
    throw Failure(
        FailureNumber::FileNotFound,
        Messages::fileFailure(QStringLiteral("open"), FileAccess::displayPath(path), reason));
}
