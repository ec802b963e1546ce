// The history of the GOB file in the main window: recovery when a GOB file is taken, the Edit
// menu's Undo and the History window.
#include "frmhistory.h"
#include "frmmain.h"

#include "history/gobhistory.h"
#include "services/errorreport.h"
#include "services/prompts.h"

#include <QAction>
#include <QLineEdit>

void frmMain::recoverGobFile()
{
    const QString gob = txtGOBFile->text().trimmed();
    if (!gob.isEmpty()) {
        try {
            for (const QString &said : GobHistory(gob).recover())
                m_prompts.inform(this, said);
        } catch (const Failure &failure) {
            report(failure);
        }
    }
    updateUndoCommand();
}

void frmMain::updateUndoCommand()
{
    const QString gob = txtGOBFile->text().trimmed();
    const QList<ChangeFile> changes =
        gob.isEmpty() ? QList<ChangeFile>() : GobHistory(gob).changes();
    // Nothing to undo past a change made without undo.
    for (qsizetype i = changes.size() - 1; i >= 0 && changes[i].state() != ChangeState::Unrecorded;
         --i) {
        if (changes[i].state() == ChangeState::Done) {
            mnuUndo->setText(
                Messages::undoCaption(changes[i].header().kind, changes[i].header().description));
            mnuUndo->setEnabled(true);
            return;
        }
    }
    mnuUndo->setText(Messages::undoCaption());
    mnuUndo->setEnabled(false);
}

void frmMain::mnuUndo_Click()
{
    const QString gob = txtGOBFile->text().trimmed();
    if (gob.isEmpty())
        return;
    try {
        GobHistory(gob).undo();
        refreshSelectedRecord();
    } catch (const Failure &failure) {
        report(failure);
    }
    updateUndoCommand();
}

void frmMain::mnuHistory_Click()
{
    const QString gob = txtGOBFile->text().trimmed();
    if (gob.isEmpty())
        return;
    frmHistory window(m_prompts, gob, this);
    connect(&window, &frmHistory::gobChanged, this, [this] { refreshSelectedRecord(); });
    window.Form_Load();
    window.exec();
    updateUndoCommand();
}
