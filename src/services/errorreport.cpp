#include "errorreport.h"

#include "openfiles.h"

#include <QGuiApplication>

namespace MainModule {

void restoreNormalPointer()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void ReportError(Prompts &prompts, QWidget *owner, const Failure &failure)
{
    if (failure.isCancel())
        return;
    Message box;
    box.text = failure.description();
    box.icon = MessageIcon::Critical;
    box.helpTopic = ErrorReportHelpTopic;
    prompts.message(owner, box);
    CloseAllFiles();
    restoreNormalPointer();
}

} // namespace MainModule
