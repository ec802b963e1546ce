#include "pictureoutput.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QSaveFile>

namespace PictureOutput {

void write(const QString &target, const QByteArray &bytes)
{
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("write"),
                                            FileAccess::displayPath(target), file.errorString()));
}

} // namespace PictureOutput
