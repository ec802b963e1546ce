#pragma once

#include "services/prompts.h"
#include "session/gobsession.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include <array>
#include <memory>
#include <vector>

class CatalogueReadAhead;
class ContextHelp;
class EntryList;
class Failure;
class Opener;
class PictureView;
class Prompts;
class frmTransparent;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QToolButton;
class SubFileButton;
class QVBoxLayout;

// The main window: start-up and shut-down, the choice of the GOB file, browsing the catalogue
// and previewing records, and the commands of its menus and buttons. It is a view of its GOB
// session, which the other windows receive. Its controls are public, as the tests read them.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    frmMain(Prompts &prompts, Opener &opener, QWidget *parent = nullptr);
    ~frmMain() override;

    Prompts &prompts() { return m_prompts; }
    // The palette editor, while it is open.
    frmTransparent *paletteEditor() const;
    Opener &opener() { return m_opener; }
    GobSession &session() { return m_session; }
    const SelectionState &selection() const { return m_session.selection(); }

    // Start-up. False when it failed: the failure has been reported and the program must end
    // without showing the window.
    bool Form_Load();
    // Shut-down: saves the settings, closes every file, deletes temp.bmp, unloads every window.
    void Form_Unload();

    // Replacing the selected record, as the confirmation answered it.
    void Import(const ReplacePlan &plan);
    void ImportBMP(const QString &path, bool keepAlpha);
    void ImportPNG(const QString &path);

    // Handlers.
    void cmdGOBFile_Click();
    void mnuOpen_Click() { cmdGOBFile_Click(); }
    void mnuRecent_Click(int index);
    void mnuExit_Click();
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuHistory_Click();
    void mnuInstalledPackages_Click();
    void lstItem_Click();
    void opnSubFile_Click(int index);
    void cmdSaveAs_Click();
    void mnuSaveAs_Click() { cmdSaveAs_Click(); }
    void cmdImport_Click();
    void mnuImport_Click() { cmdImport_Click(); }
    void cmdImportZip_Click();
    void mnuImportZip_Click() { cmdImportZip_Click(); }
    void mnuExportAll_Click();
    void mnuImportFolder_Click();
    void cmdScript_Click();
    void mnuMP_Click() { cmdScript_Click(); }
    void mnuRotate_Click(int index);
    void mnuTransparent_Click();
    void mnuAutoTrans_Click();
    void picPreview_MouseUp(Qt::MouseButton button, QPoint position);
    void mnuFp_Click();
    void mnuJPG_Click();
    void cmdAbout_Click();
    void mnuAbout_Click() { cmdAbout_Click(); }
    void mnuEXE_Click(int index);
    void mnuHelp_Click();
    void mnuContextHelp_Click();
    void mnuWebsite_Click();
    void mnuPC_Click();

    // The About box's message.
    static QString aboutText();

    // The help file set at start-up: the contents page of the help pages.
    QUrl helpFile() const { return m_helpFile; }

    // The GOB files chosen before, the latest first.
    const QStringList &recentGobFiles() const { return m_recent; }

    // Controls.
    QLineEdit *txtGOBFile = nullptr;
    QToolButton *cmdGOBFile = nullptr;
    EntryList *lstItem = nullptr;
    QLabel *lblFileName = nullptr;
    QCheckBox *chkBackup = nullptr;
    QPushButton *cmdImport = nullptr;
    QPushButton *cmdImportZip = nullptr;
    QPushButton *cmdScript = nullptr;
    QPushButton *cmdSaveAs = nullptr;
    QPushButton *cmdAbout = nullptr;
    QScrollArea *picContainerHost = nullptr; // the area in which picContainer scrolls
    QWidget *picContainer = nullptr;
    QLabel *Label1 = nullptr;
    std::vector<SubFileButton *> opnSubFile; // element 0 is the hidden template
    QScrollBar *VScroll1 = nullptr; // the sub-file panel's own scroll bar
    QGroupBox *Frame1 = nullptr;
    QLabel *lblWidth = nullptr;
    QLabel *lblHeight = nullptr;
    QLabel *lblOffset = nullptr;
    QScrollArea *previewArea = nullptr;
    PictureView *picPreview = nullptr;

    // Menus.
    QMenu *mnuFile = nullptr;
    QAction *mnuOpen = nullptr;
    QMenu *mnuRecent = nullptr; // the GOB files chosen before
    QAction *mnuSaveAs = nullptr;
    QAction *mnuImport = nullptr;
    QAction *mnuImportZip = nullptr;
    QAction *mnuExportAll = nullptr;
    QAction *mnuImportFolder = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuUndo = nullptr; // "Undo <kind> <description>" of the newest done change
    QAction *mnuRedo = nullptr; // "Redo <kind> <description>" of the undone change next
    QAction *mnuHistory = nullptr;
    QAction *mnuInstalledPackages = nullptr;
    QMenu *mnuPopup = nullptr;
    std::array<QAction *, 4> mnuRotate {};
    QAction *mnuTransparent = nullptr;
    QAction *mnuAutoTrans = nullptr;
    QAction *mnuZoomIn = nullptr;
    QAction *mnuZoomOut = nullptr;
    QAction *mnuFit = nullptr;
    QAction *mnuActualSize = nullptr;
    QLabel *lblPointer = nullptr; // the status bar's colour and index under the pointer
    QLabel *lblZoom = nullptr;
    QMenu *mnuTools = nullptr;
    QMenu *mnuTorvane = nullptr;
    std::vector<QAction *> mnuEXE; // element 0 "Run Torvane"; 1, 2, ... the programs found
    QAction *mnuMP = nullptr;
    QAction *mnuFp = nullptr;
    QAction *mnuJPG = nullptr;
    QMenu *mnuH = nullptr;
    QAction *mnuHelp = nullptr;
    QAction *mnuContextHelp = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnusep = nullptr;
    QAction *mnuWebsite = nullptr;
    QAction *mnuPC = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    void createMenus();
    void createPictureMenus(); // Export All and Import Folder, before Exit
    void createZoomCommands();
    void followSession();
    void setTabOrderOfSubFiles();
    void setGobControlsEnabled(bool enabled);
    // Import, Save As and the View menu act on a record shown: disabled while there is none.
    void updateRecordCommands();
    // The record shown drawn with its details, or the preview's text when there is none.
    void showRecord();
    void discoverPrograms();
    void removeSubFileButtons();
    // The sub-file panel's keys: the arrows, Page Up and Down, Home and End.
    bool subFileKeyPressed(const SubFileButton *button, int key);
    void scrollToSubFile(int index);
    void settleSubFilePanel();
    // Finishes what a crash cut off in the history of the GOB file just taken, and says so.
    void recoverGobFile();
    void updateUndoCommand();
    QList<FileFilter> importFilters() const;
    // The import command from its confirmation on, for a file already chosen.
    void importFile(const QString &path);
    void importPackage(const QString &package);
    // Makes path the GOB file, as a choice in the open-file dialog does.
    void useGobFile(const QString &path);
    void rememberGobFile(const QString &path);
    void fillRecentMenu();
    enum class Drop { None, Picture, Package };
    // What a drop of these data at pos (window coordinates) would do, and the file dropped.
    Drop dropOf(const QMimeData *data, QPoint pos, QString *path = nullptr) const;
    void report(const Failure &failure);

    Prompts &m_prompts;
    Opener &m_opener;
    // The catalogue, read while the window is built; Form_Load lists it.
    std::unique_ptr<CatalogueReadAhead> m_catalogueRead;
    GobSession m_session;
    QUrl m_helpFile;
    ContextHelp *m_contextHelp = nullptr;
    QPointer<frmTransparent> m_palette; // the palette editor while it is open
    QStringList m_recent;
    QVBoxLayout *m_subFileColumn = nullptr; // the sub-file buttons, 1 to N
    bool m_unloaded = false;
};
