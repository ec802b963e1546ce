#pragma once

#include <QDialog>

class GobSession;
class Opener;
class Prompts;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// The History window: every change the history keeps of the GOB file, newest first (time, kind,
// description, bytes, state), the limit and how far back undo reaches, and undo back to a chosen
// change, and redo. A view of the session's history: it lists the changes again whenever they
// change. Its controls are public, as the tests drive them.
class frmHistory : public QDialog
{
    Q_OBJECT

public:
    frmHistory(Prompts &prompts, Opener &opener, GobSession &session, QWidget *owner);

    // Lists the changes again.
    void Form_Load();
    // Undoes the chosen change and every later one that is done, after asking.
    void cmdUndoTo_Click();
    // Writes the oldest undone change again, as Edit > Redo does.
    void cmdRedo_Click();
    void spnLimit_Change(int mebibytes);

    QLabel *lblSummary = nullptr;
    QTreeWidget *lstChanges = nullptr;
    QSpinBox *spnLimit = nullptr;
    QPushButton *cmdUndoTo = nullptr;
    QPushButton *cmdRedo = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void updateCommands();

    Prompts &m_prompts;
    GobSession &m_session;
};
