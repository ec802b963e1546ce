#include "consoledisplay.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QDir>

std::unique_ptr<QTemporaryDir> ConsoleDisplay::workFolder()
{
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid())
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("create a folder in"),
                                            FileAccess::displayPath(QDir::tempPath()),
                                            folder->errorString()));
    return folder;
}
