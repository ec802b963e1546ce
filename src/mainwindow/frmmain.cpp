#include "frmmain.h"

#include "pathlabel.h"
#include "subfilebutton.h"

#include "records/cataloguemodel.h"
#include "services/apppath.h"
#include "services/errorreport.h"
#include "services/settings.h"
#include "tools/frmtransparent.h"
#include "widgets/contexthelp.h"
#include "widgets/entrylist.h"
#include "widgets/pictureview.h"
#include "widgets/screenfit.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The size of the first start, where the screen has room for it.
constexpr QSize StartSize(1000, 700);

} // namespace

frmMain::frmMain(Prompts &prompts, Opener &opener, QWidget *parent)
    : QMainWindow(parent)
    , m_prompts(prompts)
    , m_opener(opener)
    , m_catalogueRead(std::make_unique<CatalogueReadAhead>(MainModule::cataloguePath()))
{
    setObjectName(QStringLiteral("frmMain"));
    createControls();
    createMenus();
    m_contextHelp = new ContextHelp(m_opener, this);
    const std::pair<QWidget *, int> topics[] = {
        {txtGOBFile, 1}, {cmdGOBFile, 1}, {lstItem, 2},      {cmdSaveAs, 3},
        {cmdImport, 5},  {chkBackup, 6},  {cmdImportZip, 7}, {cmdScript, 8},
        {lblWidth, 9},   {lblHeight, 10}, {lblOffset, 11},
    };
    for (const auto &[widget, topic] : topics)
        ContextHelp::setTopic(widget, topic);
    chkBackup->setToolTip(Messages::backupTip());
    chkBackup->setWhatsThis(Messages::backupTip());
    setAcceptDrops(true);
    followSession();
    showRecord(); // nothing is shown yet
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    lblPointer = new QLabel(statusBar());
    lblPointer->setObjectName(QStringLiteral("lblPointer"));
    lblZoom = new QLabel(Messages::zoomPercent(picPreview->scale()), statusBar());
    lblZoom->setObjectName(QStringLiteral("lblZoom"));
    statusBar()->addPermanentWidget(lblPointer);
    statusBar()->addPermanentWidget(lblZoom);
    connect(picPreview, &PictureView::pixelPointed, lblPointer, &QLabel::setText);
    connect(picPreview, &PictureView::zoomChanged, lblZoom,
            [this] { lblZoom->setText(Messages::zoomPercent(picPreview->scale())); });
    // The layouts give the smallest size, in which every pane and button fits in the current
    // font; longer captions and paths are cut, never the window.
    resize(StartSize);
    ScreenFit::fit(this);
}

frmMain::~frmMain()
{
    // The palette editor has no owner; it goes with the main window.
    delete m_palette;
}

void frmMain::createControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *outer = new QVBoxLayout(central);

    // GOB file row.
    auto *gobRow = new QHBoxLayout;
    auto *gobLabel = new QLabel(tr("GOB file:"), central);
    txtGOBFile = new QLineEdit(central);
    txtGOBFile->setObjectName(QStringLiteral("txtGOBFile"));
    txtGOBFile->setReadOnly(true);
    connect(txtGOBFile, &QLineEdit::textChanged, txtGOBFile, &QLineEdit::setToolTip);
    gobLabel->setBuddy(txtGOBFile);
    cmdGOBFile = new QToolButton(central);
    cmdGOBFile->setObjectName(QStringLiteral("cmdGOBFile"));
    cmdGOBFile->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    cmdGOBFile->setIconSize(QSize(16, 16));
    cmdGOBFile->setToolTip(tr("Select GOB file"));
    gobRow->addWidget(gobLabel);
    gobRow->addWidget(txtGOBFile, 1);
    gobRow->addWidget(cmdGOBFile);
    outer->addLayout(gobRow);

    auto *body = new QHBoxLayout;
    outer->addLayout(body, 1);

    lstItem = new EntryList(central);
    lstItem->setObjectName(QStringLiteral("lstItem"));
    lstItem->setMinimumWidth(fontMetrics().averageCharWidth() * 20);
    body->addWidget(lstItem, 2);

    // Sub-file panel: the caption and a column of option buttons in a scrolling area of fixed
    // width; the buttons follow one another in a layout, so they keep the font's spacing.
    picContainerHost = new QScrollArea(central);
    picContainerHost->setObjectName(QStringLiteral("picContainerHost"));
    picContainerHost->setFixedWidth(fontMetrics().averageCharWidth() * 21);
    picContainerHost->setWidgetResizable(true);
    picContainerHost->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    picContainerHost->setFrameShape(QFrame::NoFrame);
    picContainerHost->setFocusPolicy(Qt::NoFocus); // the buttons take the focus, not the area
    picContainer = new QWidget;
    picContainer->setObjectName(QStringLiteral("picContainer"));
    auto *panel = new QVBoxLayout(picContainer);
    panel->setSpacing(0);
    Label1 = new QLabel(tr("Sub Files"), picContainer);
    panel->addWidget(Label1);
    m_subFileColumn = new QVBoxLayout;
    m_subFileColumn->setSpacing(0);
    panel->addLayout(m_subFileColumn);
    panel->addStretch(1);
    auto *templateButton = new SubFileButton(0, tr("File 1"), picContainer);
    templateButton->hide();
    opnSubFile.push_back(templateButton);
    picContainerHost->setWidget(picContainer);
    VScroll1 = picContainerHost->verticalScrollBar();
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    body->addWidget(picContainerHost);

    // Preview: a growing canvas in a scroll area, so large records show whole.
    previewArea = new QScrollArea(central);
    previewArea->setObjectName(QStringLiteral("previewArea"));
    previewArea->setWidgetResizable(false);
    previewArea->setMinimumSize(120, 120);
    picPreview = new PictureView(QSize(256, 256));
    picPreview->setObjectName(QStringLiteral("picPreview"));
    picPreview->canvas().setGrowing(true);
    picPreview->setZoomable(Settings::PreviewZoomKey);
    previewArea->setWidget(picPreview);
    previewArea->viewport()->installEventFilter(this);
    connect(picPreview, &PictureView::mouseReleased, this,
            [this](Qt::MouseButton button, QPoint pos) { picPreview_MouseUp(button, pos); });
    body->addWidget(previewArea, 5);

    // Details and commands, in a column of fixed width so that the preview does not jump when
    // a caption or a label grows.
    auto *sidePanel = new QWidget(central);
    auto *side = new QVBoxLayout(sidePanel);
    side->setContentsMargins(0, 0, 0, 0);
    Frame1 = new QGroupBox(tr("Image Details"), central);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *details = new QVBoxLayout(Frame1);
    lblWidth = new QLabel(tr("Width : "), Frame1);
    lblHeight = new QLabel(tr("Height : "), Frame1);
    lblOffset = new QLabel(tr("Offset : "), Frame1);
    lblWidth->setObjectName(QStringLiteral("lblWidth"));
    lblHeight->setObjectName(QStringLiteral("lblHeight"));
    lblOffset->setObjectName(QStringLiteral("lblOffset"));
    details->addWidget(lblWidth);
    details->addWidget(lblHeight);
    details->addWidget(lblOffset);
    side->addWidget(Frame1);

    const auto button = [central, side](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, central);
        b->setObjectName(QString::fromLatin1(name));
        side->addWidget(b);
        return b;
    };
    cmdImport = button("cmdImport", tr("&Import as Bitmap"));
    cmdSaveAs = button("cmdSaveAs", tr("&Save As"));
    cmdImportZip = button("cmdImportZip", tr("Import as &Zip"));
    cmdScript = button("cmdScript", tr("&More Options"));
    chkBackup = new QCheckBox(tr("Backup"), central);
    chkBackup->setObjectName(QStringLiteral("chkBackup"));
    side->addWidget(chkBackup);
    side->addStretch(1);
    cmdAbout = button("cmdAbout", tr("&About"));
    ContextHelp::setToolTips({
        {cmdImport, tr("Replace the record shown with a file")},
        {cmdSaveAs, tr("Save the record shown as a file")},
        {cmdImportZip, tr("Import a zip package into the GOB file")},
        {cmdScript, tr("Open the package window: make and import zip packages")},
        {cmdAbout, tr("Version, licence and web site")},
    });
    // As wide as its widest button or the longest offset label.
    sidePanel->setFixedWidth(
        std::max(sidePanel->sizeHint().width(),
                 fontMetrics().horizontalAdvance(tr("Offset : ") + QStringLiteral("4294967295"))
                     + 4 * details->spacing()));
    body->addWidget(sidePanel);

    lblFileName = new PathLabel(central);
    lblFileName->setObjectName(QStringLiteral("lblFileName"));
    outer->addWidget(lblFileName);

    // Top to bottom, left to right; the sub files go in after the list when they are made.
    QWidget *const order[] = {txtGOBFile, cmdGOBFile,   lstItem,   previewArea, cmdImport,
                              cmdSaveAs,  cmdImportZip, cmdScript, chkBackup,   cmdAbout};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(cmdGOBFile, &QToolButton::clicked, this, [this] { cmdGOBFile_Click(); });
    connect(lstItem, &EntryList::currentRowChanged, this, [this] { lstItem_Click(); });
    connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
    connect(cmdSaveAs, &QPushButton::clicked, this, [this] { cmdSaveAs_Click(); });
    connect(cmdImportZip, &QPushButton::clicked, this, [this] { cmdImportZip_Click(); });
    connect(cmdScript, &QPushButton::clicked, this, [this] { cmdScript_Click(); });
    connect(cmdAbout, &QPushButton::clicked, this, [this] { cmdAbout_Click(); });
}

void frmMain::createMenus()
{
    const auto item = [](QMenu *menu, const char *name, const QString &caption,
                         const QKeySequence &shortcut = QKeySequence()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        return action;
    };

    mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuOpen = item(mnuFile, "mnuOpen", tr("&Open…"), QKeySequence(tr("Ctrl+O")));
    mnuRecent = mnuFile->addMenu(tr("Open &Recent"));
    mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    mnuRecent->setEnabled(false);
    mnuSaveAs = item(mnuFile, "mnuSaveAs", tr("&Save As…"), QKeySequence(tr("Ctrl+S")));
    mnuImport = item(mnuFile, "mnuImport", tr("&Import File…"), QKeySequence(tr("Ctrl+I")));
    mnuImportZip = item(mnuFile, "mnuImportZip", tr("Import &Zip…"), QKeySequence(tr("Ctrl+Z")));
    mnuExit = item(mnuFile, "mnuExit", tr("E&xit"), QKeySequence(tr("Ctrl+Q")));
    createPictureMenus();

    // Ctrl+Z imports a package; Undo takes Ctrl+U.
    mnuEdit = menuBar()->addMenu(tr("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuUndo = item(mnuEdit, "mnuUndo", Messages::undoCaption(), QKeySequence(tr("Ctrl+U")));
    mnuUndo->setEnabled(false); // until a GOB file with a change to undo is taken
    mnuRedo = item(mnuEdit, "mnuRedo", Messages::redoCaption());
    mnuRedo->setShortcuts({QKeySequence(tr("Ctrl+Shift+Z")), QKeySequence(tr("Ctrl+Y"))});
    mnuRedo->setEnabled(false);
    mnuHistory = item(mnuEdit, "mnuHistory", tr("&History…"), QKeySequence(tr("Ctrl+H")));
    mnuInstalledPackages = item(mnuEdit, "mnuInstalledPackages", tr("Installed &Packages…"));
    connect(mnuUndo, &QAction::triggered, this, [this] { mnuUndo_Click(); });
    connect(mnuRedo, &QAction::triggered, this, [this] { mnuRedo_Click(); });
    connect(mnuHistory, &QAction::triggered, this, [this] { mnuHistory_Click(); });
    connect(mnuInstalledPackages, &QAction::triggered, this,
            [this] { mnuInstalledPackages_Click(); });

    mnuPopup = menuBar()->addMenu(tr("&View"));
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    const QString rotations[4] = {tr("Rotate &None"), tr("Rotate &90 Degree"),
                                  tr("Rotate &180 Degree"), tr("Rotate &270 Degree")};
    // One choice of four: a group of radio items.
    auto *rotationGroup = new QActionGroup(this);
    for (int r = 0; r < 4; ++r) {
        mnuRotate[r] = item(mnuPopup, "mnuRotate", rotations[r]);
        rotationGroup->addAction(mnuRotate[r]);
        mnuRotate[r]->setObjectName(QStringLiteral("mnuRotate%1").arg(r));
        mnuRotate[r]->setCheckable(true);
        connect(mnuRotate[r], &QAction::triggered, this, [this, r] { mnuRotate_Click(r); });
    }
    mnuTransparent = item(mnuPopup, "mnuTransparent", tr("&Transparent"));
    mnuAutoTrans = item(mnuPopup, "mnuAutoTrans", tr("&Auto preview transparent"));
    mnuAutoTrans->setCheckable(true); // Qt inverts the check mark when it is chosen
    createZoomCommands();

    mnuTools = menuBar()->addMenu(tr("&Tools"));
    mnuTools->setObjectName(QStringLiteral("mnuTools"));
    mnuTorvane = mnuTools->addMenu(tr("&Torvane"));
    mnuTorvane->setObjectName(QStringLiteral("mnuTorvane"));
    mnuEXE.push_back(item(mnuTorvane, "mnuEXE0", tr("&Run Torvane"), QKeySequence(tr("Ctrl+R"))));
    connect(mnuEXE[0], &QAction::triggered, this, [this] { mnuEXE_Click(0); });
    mnuMP = item(mnuTools, "mnuMP", tr("&More Options…"), QKeySequence(tr("Ctrl+M")));
    mnuMP->setToolTip(cmdScript->toolTip());
    mnuTools->setToolTipsVisible(true);
    mnuFp = item(mnuTools, "mnuFp", tr("&Format Palette…"), QKeySequence(tr("Ctrl+F")));
    mnuJPG = item(mnuTools, "mnuJPG", tr("&BMP -> JPG…"), QKeySequence(tr("Ctrl+J")));

    mnuH = menuBar()->addMenu(tr("&Help"));
    mnuH->setObjectName(QStringLiteral("mnuH"));
    mnuHelp = item(mnuH, "mnuHelp", tr("&Help Topic"), QKeySequence(Qt::Key_F1));
    mnuContextHelp =
        item(mnuH, "mnuContextHelp", tr("&Context Help"), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    mnuAbout = item(mnuH, "mnuAbout", tr("&About…"));
    mnusep = mnuH->addSeparator();
    mnusep->setObjectName(QStringLiteral("mnusep"));
    mnuWebsite = item(mnuH, "mnuWebsite", tr("&My Website"));
    mnuPC = item(mnuH, "mnuPC", tr("Torvane &Fan Site"));

    connect(mnuOpen, &QAction::triggered, this, [this] { mnuOpen_Click(); });
    connect(mnuSaveAs, &QAction::triggered, this, [this] { mnuSaveAs_Click(); });
    connect(mnuImport, &QAction::triggered, this, [this] { mnuImport_Click(); });
    connect(mnuImportZip, &QAction::triggered, this, [this] { mnuImportZip_Click(); });
    connect(mnuExit, &QAction::triggered, this, [this] { mnuExit_Click(); });
    connect(mnuTransparent, &QAction::triggered, this, [this] { mnuTransparent_Click(); });
    connect(mnuMP, &QAction::triggered, this, [this] { mnuMP_Click(); });
    connect(mnuFp, &QAction::triggered, this, [this] { mnuFp_Click(); });
    connect(mnuJPG, &QAction::triggered, this, [this] { mnuJPG_Click(); });
    connect(mnuHelp, &QAction::triggered, this, [this] { mnuHelp_Click(); });
    connect(mnuContextHelp, &QAction::triggered, this, [this] { mnuContextHelp_Click(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { mnuAbout_Click(); });
    connect(mnuWebsite, &QAction::triggered, this, [this] { mnuWebsite_Click(); });
    connect(mnuPC, &QAction::triggered, this, [this] { mnuPC_Click(); });
}

void frmMain::createZoomCommands()
{
    mnuPopup->addSeparator();
    const auto add = [this](const char *name, const QString &caption, const QKeySequence &shortcut,
                            void (PictureView::*command)()) {
        QAction *action = mnuPopup->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, picPreview, command);
        return action;
    };
    mnuZoomIn = add("mnuZoomIn", tr("Zoom &In"), QKeySequence::ZoomIn, &PictureView::zoomIn);
    mnuZoomOut = add("mnuZoomOut", tr("Zoom &Out"), QKeySequence::ZoomOut, &PictureView::zoomOut);
    mnuFit = add("mnuFit", tr("&Fit"), QKeySequence(), &PictureView::fitToView);
    mnuActualSize = add("mnuActualSize", tr("Actual &Size"), QKeySequence(tr("Ctrl+0")),
                        &PictureView::showActualSize);
    // Ctrl+= as well, where the plus needs Shift.
    mnuZoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(tr("Ctrl+="))});
}

void frmMain::followSession()
{
    connect(&m_session, &GobSession::gobPathChanged, this, [this] {
        txtGOBFile->setText(m_session.gobPath());
        setWindowTitle(Messages::mainTitle(QFileInfo(m_session.gobPath()).fileName()));
        setGobControlsEnabled(m_session.hasGobFile());
    });
    connect(&m_session, &GobSession::selectionChanged, this, [this] {
        if (selection().subFile == 0)
            removeSubFileButtons(); // another entry, or none
    });
    connect(&m_session, &GobSession::shownChanged, this, [this] { showRecord(); });
    connect(&m_session, &GobSession::historyChanged, this, [this] { updateUndoCommand(); });
}

void frmMain::setGobControlsEnabled(bool enabled)
{
    // The order in which the controls change is part of the design.
    if (enabled) {
        cmdImportZip->setEnabled(true);
        cmdScript->setEnabled(true);
        lstItem->setEnabled(true);
    } else {
        cmdImportZip->setEnabled(false);
        cmdScript->setEnabled(false);
        lstItem->setEnabled(false);
    }
    for (QAction *command :
         {mnuImportZip, mnuExportAll, mnuImportFolder, mnuHistory, mnuInstalledPackages})
        command->setEnabled(enabled);
    updateRecordCommands();
}

void frmMain::updateRecordCommands()
{
    const bool shown = lstItem->isEnabled() && m_session.isShown();
    for (QWidget *command : {static_cast<QWidget *>(cmdImport), static_cast<QWidget *>(cmdSaveAs)})
        command->setEnabled(shown);
    for (QAction *command : {mnuImport, mnuSaveAs})
        command->setEnabled(shown);
    mnuTransparent->setEnabled(shown && !selection().wholeFile);
    // A record shown enables the turns as its first drawing chooses one.
    if (!shown) {
        for (QAction *rotation : mnuRotate)
            rotation->setEnabled(false);
    }
}

void frmMain::report(const Failure &failure)
{
    MainModule::ReportError(m_prompts, this, failure);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (const auto *button = qobject_cast<const SubFileButton *>(watched)) {
        if (event->type() == QEvent::KeyPress
            && subFileKeyPressed(button, static_cast<QKeyEvent *>(event)->key()))
            return true;
        if (event->type() == QEvent::FocusIn)
            scrollToSubFile(button->index());
    }
    if (event->type() == QEvent::Resize && watched == previewArea->viewport())
        picPreview->canvas().setBaseSize(previewArea->viewport()->size());
    return QMainWindow::eventFilter(watched, event);
}
