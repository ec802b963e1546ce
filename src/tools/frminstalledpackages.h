#pragma once

#include <QDialog>

class GobSession;
class Opener;
class Prompts;
class QLabel;
class QPushButton;
class QTreeWidget;

// The Installed Packages window: every package applied to the GOB file that its history keeps
// and that no undo or removal took out (number, name, time, items, items still holding its
// bytes), and Remove, which takes the chosen one out whichever came after it. A view of the
// session's history: it lists the packages again whenever the history changes. Preview Zip shows
// what a package would change before it is applied. Its controls are
// public, as the tests drive them.
class frmInstalledPackages : public QDialog
{
    Q_OBJECT

public:
    frmInstalledPackages(Prompts &prompts, Opener &opener, GobSession &session, QWidget *owner);

    // Lists the packages again.
    void Form_Load();
    // Removes the chosen package, after asking.
    void cmdRemove_Click();
    // Shows what a package (chosen in the open dialog, or package) would change, then applies
    // it as the preview says.
    void cmdPreview_Click(const QString &package = QString());

    QLabel *lblNote = nullptr;
    QTreeWidget *lstPackages = nullptr;
    QPushButton *cmdPreview = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    Prompts &m_prompts;
    GobSession &m_session;
};
