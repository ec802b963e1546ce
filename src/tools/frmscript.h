#pragma once

#include "packages/packagedisplay.h"
#include "packages/packageitem.h"
#include "records/catalogueentry.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class DdeServer;
class EntryList;
class Failure;
class GobSession;
class Opener;
class ProgressDisplay;
class Prompts;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

// The package window: assembles the package selection from the catalogue, the catalogue's other
// items, typed items and commands of other programs, makes a package from it and imports
// packages into the GOB file of the session it is given. Its controls are public, as the tests
// read them.
class frmScript : public QDialog, public PackageDisplay
{
    Q_OBJECT

public:
    // backup: the main window's choice, which the window's own Backup box starts from.
    frmScript(Prompts &prompts, Opener &opener, GobSession &session, bool backup, QWidget *owner);
    ~frmScript() override;

    // Loading: cleans up and creates the temporary folder, lists the catalogue, copies the
    // backup option and starts taking commands of other programs. Unloading cleans up.
    void Form_Load();
    void Form_Unload();
    bool isLoaded() const { return m_loaded; }

    // Handlers.
    void lstItem_Click();
    void lstSubItem_Click();
    void lstSelected_Click();
    void cmdAdd_Click();
    void cmdAddAll_Click();
    void cmdRemove_Click();
    void cmdRemoveAll_Click();
    void cmdAddOther_Click();
    void cmdAddMenu_Click();
    void mnuAddMenu_Click(int index);
    void cmdNewBmpList_Click();
    void cmdMake_Click();
    // Imports a package: the one given, else the one chosen in the open-file dialog.
    void cmdImportZip_Click(const QString &package = QString());

    // Loads the window if needed and imports a package (the main window's import command).
    void StartImport(const QString &package = QString());
    // Shows only the notice, the log and the progress display: the window of an import started
    // elsewhere, whose lists and commands would only stand greyed out.
    void showImportOnly();

    // A command of another program, "description|position|size". Returns the empty text when
    // it is taken (appended at once, or after a running make or import), else the reason.
    QString Form_LinkExecute(const QString &command);

    // The package selection, line by line from the three lists.
    QList<PackageItem> selectedItems() const;
    // True while a make or an import runs; the window's commands are disabled then.
    bool isBusy() const { return m_busy; }
    // The catalogue state: the current offset of the chosen sub file.
    qint32 currentOffset() const { return m_currentOffset; }
    // Whether commands of other programs reach this window.
    bool isListening() const;

    // PackageDisplay: the progress display and the log box.
    void setProgress(int percent) override;
    void showProgressDisplay(bool on) override;
    void appendLog(const QString &text) override;
    void replaceLog(const QString &text) override;
    void processPendingEvents() override;

    // Controls.
    QGroupBox *Frame1 = nullptr;
    EntryList *lstItem = nullptr;
    QListWidget *lstSubItem = nullptr;
    QPushButton *cmdAddAll = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdRemoveAll = nullptr;
    QPushButton *cmdAddOther = nullptr;
    QGroupBox *Frame2 = nullptr;
    QListWidget *lstSelected = nullptr;
    QPushButton *cmdMake = nullptr;
    QCheckBox *chkBackup = nullptr;
    QPushButton *cmdImportZip = nullptr;
    QPushButton *cmdAddMenu = nullptr;
    QPushButton *cmdNewBmpList = nullptr;
    QLabel *Label1 = nullptr;
    QPlainTextEdit *txtZipLog = nullptr;
    ProgressDisplay *picProgress = nullptr;
    QComboBox *cboOffset = nullptr;
    QComboBox *cboSize = nullptr;
    QLabel *lblDDE = nullptr;
    QMenu *mnuMenu = nullptr;
    std::vector<QAction *> mnuAddMenu; // element 0 is the template " -"

protected:
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

private:
    void createControls();
    void layoutControls();
    void updateSelectionState();
    void updateCommandStates();
    void appendItem(const PackageItem &item);
    void removeItemAt(int row);
    bool addSubFile(int row);
    void report(const Failure &failure);
    void setCommandsEnabled(bool enabled);
    // Disables the commands while a make or an import runs; appends the commands of other
    // programs that arrived meanwhile when it ends.
    class OperationScope;
    void beginOperation();
    void endOperation();
    void takePendingCommands();
    QString otherItemsLine() const;

    Prompts &m_prompts;
    Opener &m_opener;
    GobSession &m_session;
    bool m_backup = false;
    DdeServer *m_dde = nullptr;
    CatalogueEntry m_entry;
    bool m_hasEntry = false;
    qint32 m_currentOffset = 0;
    bool m_loaded = false;
    bool m_busy = false;
    QList<PackageItem> m_pendingCommands; // commands that arrived during a make or an import
    QString m_log;
};
