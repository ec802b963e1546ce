// The history of the GOB file in the main window: recovery when a GOB file is taken, the Edit
// menu's Undo and Redo, the History window and the installed packages, all following the session.
#include "frmhistory.h"
#include "frmmain.h"

#include "tools/frminstalledpackages.h"

#include "services/errorreport.h"
#include "services/prompts.h"

#include <QAction>
#include <QStatusBar>

namespace {

QString described(const ChangeFile &change)
{
    return describe(change.header().kind, change.header().description);
}

} // namespace

void frmMain::recoverGobFile()
{
    try {
        for (const QString &said : m_session.recover())
            m_prompts.inform(this, said);
    } catch (const Failure &failure) {
        report(failure);
    }
}

void frmMain::updateUndoCommand()
{
    const std::optional<ChangeFile> newest = m_session.newestDone();
    mnuUndo->setText(newest ? Messages::undoCaption(described(*newest)) : Messages::undoCaption());
    mnuUndo->setEnabled(newest.has_value());
    const std::optional<ChangeFile> next = m_session.nextRedo();
    mnuRedo->setText(next ? Messages::redoCaption(described(*next)) : Messages::redoCaption());
    mnuRedo->setEnabled(next.has_value());
}

void frmMain::mnuUndo_Click()
{
    try {
        const std::optional<ChangeFile> newest = m_session.newestDone();
        m_session.undo();
        if (newest)
            statusBar()->showMessage(Messages::statusUndone(described(*newest)));
    } catch (const Failure &failure) {
        report(failure);
    }
}

void frmMain::mnuRedo_Click()
{
    try {
        const std::optional<ChangeFile> next = m_session.nextRedo();
        if (!next)
            return;
        m_session.redo();
        statusBar()->showMessage(Messages::statusRedone(described(*next)));
    } catch (const Failure &failure) {
        report(failure);
    }
}

void frmMain::mnuHistory_Click()
{
    if (!m_session.hasGobFile())
        return;
    frmHistory window(m_prompts, m_opener, m_session, this);
    window.Form_Load();
    window.exec();
    activateWindow();
}

void frmMain::mnuInstalledPackages_Click()
{
    if (!m_session.hasGobFile())
        return;
    frmInstalledPackages window(m_prompts, m_opener, m_session, this);
    window.Form_Load();
    window.exec();
    activateWindow();
}
