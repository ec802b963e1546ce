#include "filedialogs.h"

#include "failure.h"
#include "messages.h"
#include "settings.h"

#include <QDir>
#include <QFileInfo>

namespace MainModule {

namespace {

QString acceptedPath(Prompts &prompts, QWidget *owner, const std::optional<QString> &answer)
{
    if (!answer || answer->isEmpty())
        throw Failure::cancelled();
    if (answer->size() > MaxDialogPath) {
        // The dialog's path field holds 254 characters; a longer path is refused, not cut.
        prompts.critical(owner, Messages::pathTooLong(*answer));
        throw Failure::cancelled();
    }
    RememberFolder(*answer);
    return *answer;
}

} // namespace

QString saveDialogTitle()
{
    return Messages::saveDialogTitle();
}

QString ShowOpenDialog(Prompts &prompts, QWidget *owner, const QList<FileFilter> &filters,
                       const QString &title)
{
    const QString start = Settings::read(Settings::InitDirKey);
    return acceptedPath(prompts, owner, prompts.openFile(owner, title, filters, start));
}

QString ShowSaveDialog(Prompts &prompts, QWidget *owner, const QList<FileFilter> &filters)
{
    const QString start = Settings::read(Settings::InitDirKey);
    return acceptedPath(prompts, owner, prompts.saveFile(owner, saveDialogTitle(), filters, start));
}

QString ShowFolderDialog(Prompts &prompts, QWidget *owner, const QString &title)
{
    const QString start = Settings::read(Settings::InitDirKey);
    // Remembered with a separator after it: the folder itself, not the one above.
    std::optional<QString> answer = prompts.chooseFolder(owner, title, start);
    if (answer)
        *answer += u'/';
    return acceptedPath(prompts, owner, answer).chopped(1);
}

void askBeforeReplacing(Prompts &prompts, QWidget *owner, const QString &target,
                        const QString &answer)
{
    if (target == answer || !QFileInfo::exists(target))
        return;
    const Message question {Messages::replaceExisting(QDir::toNativeSeparators(target)),
                            MessageIcon::Exclamation, MessageButtons::YesNo, Answer::No};
    if (prompts.message(owner, question) != Answer::Yes)
        throw Failure::cancelled();
}

void RememberFolder(const QString &path)
{
    for (int i = path.size() - 1; i >= 0; --i) {
        if (path[i] == u'/' || path[i] == u'\\') {
            Settings::save(Settings::InitDirKey, path.left(i + 1));
            return;
        }
    }
}

} // namespace MainModule
