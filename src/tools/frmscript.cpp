#include "frmscript.h"

#include "frmpackagepreview.h"
#include "progressdisplay.h"

#include "packages/ddeserver.h"
#include "packages/packageimport.h"
#include "packages/packagemake.h"
#include "packages/tempfolder.h"
#include "packages/zipservice.h"

#include "records/catalogue.h"
#include "records/otheritems.h"
#include "services/apppath.h"
#include "services/errorreport.h"
#include "services/failure.h"
#include "services/fansite.h"
#include "services/filedialogs.h"
#include "services/opener.h"
#include "services/openfiles.h"
#include "services/prompts.h"
#include "session/gobsession.h"
#include "widgets/busycursor.h"
#include "widgets/contexthelp.h"
#include "widgets/entrylist.h"
#include "widgets/screenfit.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedLayout>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Help pages: the window's own, the backup box's and the package import's.
constexpr int PackageTopic = 8;
constexpr int BackupTopic = 6;
constexpr int ImportZipTopic = 7;

QList<FileFilter> zipFilter()
{
    return {{QCoreApplication::translate("frmScript", "Zip file"), QStringLiteral("*.zip")}};
}

} // namespace

class frmScript::OperationScope
{
public:
    explicit OperationScope(frmScript &window)
        : m_window(window)
    {
        m_window.beginOperation();
    }
    ~OperationScope() { m_window.endOperation(); }

    OperationScope(const OperationScope &) = delete;
    OperationScope &operator=(const OperationScope &) = delete;

private:
    frmScript &m_window;
};

frmScript::frmScript(Prompts &prompts, Opener &opener, GobSession &session, bool backup,
                     QWidget *owner)
    : QDialog(owner)
    , m_prompts(prompts)
    , m_opener(opener)
    , m_session(session)
    , m_backup(backup)
{
    setObjectName(QStringLiteral("frmScript"));
    setWindowTitle(Messages::defaultTitle());
    setModal(true);
    createControls();
    layoutControls();
    m_dde =
        new DdeServer([this](const QString &command) { return Form_LinkExecute(command); }, this);
}

frmScript::~frmScript()
{
    Form_Unload();
}

void frmScript::createControls()
{
    const auto button = [](QWidget *parent, const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    const auto list = [](QWidget *parent, const char *name) {
        auto *l = new QListWidget(parent);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };

    Frame1 = new QGroupBox(tr("List Items"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    lstItem = new EntryList(Frame1);
    lstItem->setObjectName(QStringLiteral("lstItem"));
    lstSubItem = list(Frame1, "lstSubItem");
    cmdAddAll = button(this, "cmdAddAll", QStringLiteral(">>"));
    cmdAdd = button(this, "cmdAdd", QStringLiteral(">"));
    cmdRemove = button(this, "cmdRemove", QStringLiteral("<"));
    cmdRemoveAll = button(this, "cmdRemoveAll", QStringLiteral("<<"));
    cmdAddOther = button(this, "cmdAddOther", tr("Add"));
    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    lstSelected = list(Frame2, "lstSelected");
    cmdMake = button(this, "cmdMake", tr("Make &Zip"));
    chkBackup = new QCheckBox(tr("Backup"), this);
    chkBackup->setObjectName(QStringLiteral("chkBackup"));
    cmdImportZip = button(this, "cmdImportZip", tr("&Import Zip"));
    cmdAddMenu = button(this, "cmdAddMenu", tr("Add &Other"));
    cmdNewBmpList = button(this, "cmdNewBmpList", tr("&Dowload latest bmplist.txt"));
    Label1 = new QLabel(Messages::zipLibraryNotice(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    txtZipLog = new QPlainTextEdit(this);
    txtZipLog->setObjectName(QStringLiteral("txtZipLog"));
    txtZipLog->setReadOnly(true);
    txtZipLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    picProgress = new ProgressDisplay(this);
    picProgress->setObjectName(QStringLiteral("picProgress"));
    picProgress->hide();
    cboOffset = new QComboBox(this);
    cboOffset->setObjectName(QStringLiteral("cboOffset"));
    cboOffset->setPlaceholderText(tr("Combo1"));
    cboOffset->hide();
    cboSize = new QComboBox(this);
    cboSize->setObjectName(QStringLiteral("cboSize"));
    cboSize->setPlaceholderText(tr("Combo1"));
    cboSize->hide();
    lblDDE = new QLabel(tr("DDE"), this);
    lblDDE->setObjectName(QStringLiteral("lblDDE"));
    lblDDE->hide();

    mnuMenu = new QMenu(tr("Menu"), this);
    mnuMenu->setObjectName(QStringLiteral("mnuMenu"));
    QAction *templateItem = mnuMenu->addAction(QStringLiteral(" -"));
    templateItem->setObjectName(QStringLiteral("mnuAddMenu0"));
    mnuAddMenu.push_back(templateItem);

    ContextHelp::setToolTips({
        {cmdAddAll, tr("Add every sub file of the chosen entry to the package")},
        {cmdAdd, tr("Add the chosen sub file to the package")},
        {cmdRemove, tr("Take the chosen rows out of the package")},
        {cmdRemoveAll, tr("Empty the package")},
        {cmdAddOther, tr("Add a file that is no catalogue entry to the package")},
        {cmdAddMenu, tr("Choose one of the other files to add")},
        {cmdMake, tr("Make a zip package of the listed files")},
        {cmdImportZip, tr("Import a zip package into the GOB file")},
        {cmdNewBmpList, tr("Open the page of the latest catalogue")},
    });
    for (QWidget *w : {static_cast<QWidget *>(cmdImportZip), static_cast<QWidget *>(chkBackup)})
        ContextHelp::setTopic(w, w == chkBackup ? BackupTopic : ImportZipTopic);
    ContextHelp::addHelpKeys(this, m_opener, PackageTopic);

    connect(lstItem, &EntryList::currentRowChanged, this, [this] { lstItem_Click(); });
    connect(lstSubItem, &QListWidget::currentRowChanged, this, [this] { lstSubItem_Click(); });
    connect(lstSelected, &QListWidget::itemSelectionChanged, this, [this] { lstSelected_Click(); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdAddAll, &QPushButton::clicked, this, [this] { cmdAddAll_Click(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    connect(cmdRemoveAll, &QPushButton::clicked, this, [this] { cmdRemoveAll_Click(); });
    connect(cmdAddOther, &QPushButton::clicked, this, [this] { cmdAddOther_Click(); });
    connect(cmdAddMenu, &QPushButton::clicked, this, [this] { cmdAddMenu_Click(); });
    connect(cmdNewBmpList, &QPushButton::clicked, this, [this] { cmdNewBmpList_Click(); });
    connect(cmdMake, &QPushButton::clicked, this, [this] { cmdMake_Click(); });
    connect(cmdImportZip, &QPushButton::clicked, this, [this] { cmdImportZip_Click(); });
}

void frmScript::layoutControls()
{
    // Two lists of the catalogue on the left, the package on the right, the column of transfer
    // buttons between them; the command row, the zip notice and the log below. The lists take
    // what the window grows by.
    auto *browse = new QHBoxLayout(Frame1);
    browse->addWidget(lstItem, 5);
    browse->addWidget(lstSubItem, 4);
    (new QVBoxLayout(Frame2))->addWidget(lstSelected);

    auto *column = new QVBoxLayout;
    column->addWidget(lblDDE);
    for (QPushButton *b : {cmdAddAll, cmdAdd, cmdRemove, cmdRemoveAll, cmdAddOther}) {
        column->addStretch(1);
        column->addWidget(b);
    }
    column->addStretch(1);

    auto *lists = new QHBoxLayout;
    lists->addWidget(Frame1, 5);
    lists->addLayout(column);
    lists->addWidget(Frame2, 4);

    auto *commands = new QHBoxLayout;
    commands->addStretch(1);
    for (QWidget *w : std::initializer_list<QWidget *> {
             cmdMake, chkBackup, cmdImportZip, cmdAddMenu, cmdNewBmpList, cboOffset, cboSize})
        commands->addWidget(w);
    commands->addStretch(1);

    auto *upper = new QVBoxLayout;
    upper->addLayout(lists, 1);
    upper->addLayout(commands);
    upper->addWidget(Label1);

    // The log and the progress display share the bottom edge, one shown at a time, in a strip
    // three lines high.
    auto *logStrip = new QWidget(this);
    logStrip->setFixedHeight(fontMetrics().lineSpacing() * 3 + 2 * txtZipLog->frameWidth());
    txtZipLog->setParent(logStrip);
    picProgress->setParent(logStrip);
    auto *bottom = new QStackedLayout(logStrip);
    bottom->setStackingMode(QStackedLayout::StackAll);
    bottom->addWidget(txtZipLog);
    bottom->addWidget(picProgress);
    picProgress->hide();

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(upper, 1);
    outer->addWidget(logStrip);
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    upper->setContentsMargins(margin, margin, margin, margin);

    // Wide enough for the lists to show their entries; the notice wraps.
    Frame1->setMinimumWidth(fontMetrics().averageCharWidth() * 44);
    Frame2->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    lstItem->setMinimumHeight(fontMetrics().lineSpacing() * 12);
    resize(sizeHint());
    ScreenFit::fit(this);
    // Placed now, before the window first shows.
    layout()->activate();
    bottom->setGeometry(logStrip->rect());
}

// --- loading and unloading ---

void frmScript::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    const QString temp = TempFolder::path();
    TempFolder::cleanUp(temp);
    try {
        TempFolder::ensure(temp);
    } catch (const Failure &failure) {
        report(failure);
    }
    try {
        lstItem->load(MainModule::cataloguePath());
    } catch (const Failure &failure) {
        report(failure);
    }
    Frame2->setTitle(Messages::selectedItems());
    lstItem->setToolTip(QString::number(lstItem->count()));
    updateSelectionState();
    chkBackup->setChecked(m_backup);
    chkBackup->setToolTip(Messages::backupTip());
    m_dde->listen();
}

void frmScript::Form_Unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    m_dde->close();
    TempFolder::cleanUp(TempFolder::path());
}

void frmScript::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
    if (event->isAccepted())
        Form_Unload();
}

void frmScript::done(int result)
{
    if (m_busy)
        return; // no closing in the middle of a make or an import
    QDialog::done(result);
    Form_Unload();
}

bool frmScript::isListening() const
{
    return m_dde->isListening();
}

// --- the package selection ---

void frmScript::updateSelectionState()
{
    Frame2->setTitle(Messages::selectedItems(lstSelected->count()));
    updateCommandStates();
}

void frmScript::updateCommandStates()
{
    const QListWidgetItem *current = lstSelected->currentItem();
    cmdRemove->setEnabled(!m_busy && current && current->isSelected());
    cmdRemoveAll->setEnabled(!m_busy && lstSelected->count() > 0);
    cmdMake->setEnabled(!m_busy && lstSelected->count() > 0);
}

void frmScript::appendItem(const PackageItem &item)
{
    lstSelected->addItem(item.description);
    cboOffset->addItem(QString::number(item.offset));
    cboSize->addItem(QString::number(item.size));
}

void frmScript::removeItemAt(int row)
{
    cboOffset->removeItem(row);
    cboSize->removeItem(row);
    delete lstSelected->takeItem(row);
}

QList<PackageItem> frmScript::selectedItems() const
{
    QList<PackageItem> items;
    for (int k = 0; k < lstSelected->count(); ++k)
        items << PackageItem {lstSelected->item(k)->text(), cboOffset->itemText(k).toInt(),
                              cboSize->itemText(k).toInt()};
    return items;
}

void frmScript::lstSelected_Click()
{
    updateSelectionState();
}

void frmScript::lstItem_Click()
{
    const int k = lstItem->currentRow();
    if (k < 0)
        return;
    try {
        m_entry = lstItem->entry(k);
        m_hasEntry = true;
    } catch (const Failure &failure) {
        m_hasEntry = false;
        lstSubItem->clear();
        report(failure);
        return;
    }
    lstSubItem->clear();
    for (const SubFile &sub : m_entry.subFiles())
        lstSubItem->addItem(sub.caption);
    lstSubItem->setCurrentRow(0); // the sub-file choice sets the current offset
    lstSubItem->setToolTip(Messages::subItemCount(lstSubItem->count()));
}

void frmScript::lstSubItem_Click()
{
    const int i = lstSubItem->currentRow();
    if (m_hasEntry && i >= 0 && i < m_entry.count())
        m_currentOffset = m_entry.subFile(i + 1).offset;
}

bool frmScript::addSubFile(int row)
{
    PackageItem item;
    try {
        item = PackageItem::fromSubFile(m_entry, row + 1, m_session.gobPath());
    } catch (const Failure &failure) {
        report(failure);
        return false;
    }
    item.description = lstItem->text(lstItem->currentRow()) + u'/' + lstSubItem->item(row)->text();
    appendItem(item);
    lstSelected->setCurrentRow(lstSelected->count() - 1);
    return true;
}

void frmScript::cmdAdd_Click()
{
    const int row = lstSubItem->currentRow();
    if (!m_hasEntry || row < 0 || m_busy)
        return;
    if (addSubFile(row))
        lstSubItem->setFocus();
    updateSelectionState();
}

void frmScript::cmdAddAll_Click()
{
    if (!m_hasEntry || m_busy)
        return;
    for (int row = 0; row < lstSubItem->count(); ++row) {
        lstSubItem->setCurrentRow(row);
        if (!addSubFile(row))
            break;
    }
    lstItem->setFocus();
    updateSelectionState();
}

void frmScript::cmdRemove_Click()
{
    const QListWidgetItem *current = lstSelected->currentItem();
    if (!current || !current->isSelected() || m_busy)
        return;
    removeItemAt(lstSelected->row(current));
    // No other line takes its place: a double click on "<" removes one item, not two.
    lstSelected->setCurrentItem(nullptr);
    lstSelected->clearSelection();
    lstSubItem->setFocus();
    Frame2->setTitle(Messages::selectedItems());
    updateSelectionState();
}

void frmScript::cmdRemoveAll_Click()
{
    if (m_busy)
        return;
    lstSelected->clear();
    cboOffset->clear();
    cboSize->clear();
    lstItem->setFocus();
    Frame2->setTitle(Messages::selectedItems());
    updateSelectionState();
}

void frmScript::cmdAddOther_Click()
{
    if (m_busy)
        return;
    const std::optional<QString> answer =
        m_prompts.input(this, Messages::typeToAddManually(), QString(), QString());
    if (!answer || answer->trimmed().isEmpty())
        return;
    try {
        appendItem(PackageItem::fromTypedLine(*answer));
    } catch (const Failure &failure) {
        report(failure);
        return;
    }
    updateSelectionState();
}

QString frmScript::otherItemsLine() const
{
    return Catalogue::read(MainModule::cataloguePath()).otherItemsLine();
}

void frmScript::cmdAddMenu_Click()
{
    if (m_busy)
        return;
    QList<OtherItem> items;
    try {
        items = parseOtherItems(otherItemsLine());
    } catch (const Failure &failure) {
        report(failure);
        return;
    }
    mnuAddMenu[0]->setVisible(true);
    for (size_t i = mnuAddMenu.size() - 1; i >= 1; --i)
        delete mnuAddMenu[i];
    mnuAddMenu.resize(1);
    if (items.isEmpty()) {
        m_prompts.inform(this, Messages::noOtherItems());
        return;
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        const int index = int(i + 1);
        QAction *action = mnuMenu->addAction(items.at(i).caption);
        action->setObjectName(QStringLiteral("mnuAddMenu%1").arg(index));
        connect(action, &QAction::triggered, this, [this, index] { mnuAddMenu_Click(index); });
        mnuAddMenu.push_back(action);
    }
    mnuAddMenu[0]->setVisible(false);
    mnuMenu->popup(QCursor::pos());
}

void frmScript::mnuAddMenu_Click(int index)
{
    if (m_busy)
        return;
    try {
        const QList<OtherItem> items = parseOtherItems(otherItemsLine());
        if (index < 1 || index > items.size())
            return;
        const OtherItem &other = items.at(index - 1);
        const QString text = other.caption + u',' + other.positionText + u',' + other.kilobytesText;
        qint32 bytes = 0;
        try {
            bytes = other.sizeBytes();
        } catch (const Failure &) {
            throw Failure(FailureNumber::TypeMismatch,
                          Messages::itemBadSize(text, other.kilobytesText));
        }
        appendItem(PackageItem::fromFields(other.caption, other.positionText,
                                           QString::number(bytes), text));
    } catch (const Failure &failure) {
        report(failure);
        return;
    }
    updateSelectionState();
}

void frmScript::cmdNewBmpList_Click()
{
    m_opener.openUrl(FanSite::page(QStringLiteral("dovrin/torvane/bmplist.zip")));
}

QString frmScript::Form_LinkExecute(const QString &command)
{
    PackageItem item;
    try {
        item = PackageItem::fromCommand(command);
    } catch (const Failure &failure) {
        return failure.description();
    }
    if (m_busy) {
        m_pendingCommands << item;
    } else {
        appendItem(item);
        updateSelectionState();
    }
    return QString();
}

// --- operations ---

void frmScript::setCommandsEnabled(bool enabled)
{
    const QList<QWidget *> commands = {
        lstItem,     lstSubItem, lstSelected, cmdAddAll,    cmdAdd,     cmdRemove,    cmdRemoveAll,
        cmdAddOther, cmdMake,    chkBackup,   cmdImportZip, cmdAddMenu, cmdNewBmpList};
    for (QWidget *command : commands)
        command->setEnabled(enabled);
}

void frmScript::beginOperation()
{
    m_busy = true;
    setCommandsEnabled(false);
}

void frmScript::endOperation()
{
    m_busy = false;
    setCommandsEnabled(true);
    updateCommandStates();
    takePendingCommands();
}

void frmScript::takePendingCommands()
{
    if (m_pendingCommands.isEmpty())
        return;
    for (const PackageItem &item : std::as_const(m_pendingCommands))
        appendItem(item);
    m_pendingCommands.clear();
    updateSelectionState();
}

void frmScript::report(const Failure &failure)
{
    MainModule::ReportError(m_prompts, this, failure);
}

void frmScript::cmdMake_Click()
{
    if (lstSelected->count() == 0 || m_busy)
        return;
    OperationScope operation(*this);
    BusyCursor busy;
    PackageContext context {m_prompts, this, *this};
    try {
        // The make works on the selection as it stands now; commands that arrive meanwhile
        // are appended when it ends.
        const QList<PackageItem> items = selectedItems();
        const QString gob = m_session.gobPath();
        PackageMake::checkItems(gob, items);
        showProgressDisplay(true);
        const QStringList files = PackageMake::writeFiles(gob, items, TempFolder::path(), *this);
        MainModule::CloseAllFiles();

        QString readme;
        if (m_prompts.askYesNo(this, Messages::includeReadme(), Messages::defaultTitle(),
                               Answer::No)
            == Answer::Yes)
            readme = MainModule::ShowOpenDialog(m_prompts, this,
                                                {{tr("Readme"), QStringLiteral("*.txt;*.doc")},
                                                 {tr("All files"), QStringLiteral("*.*")}},
                                                Messages::selectReadmeTitle());
        processPendingEvents();
        const QString package = MainModule::ShowSaveDialog(m_prompts, this, zipFilter());
        MainModule::askBeforeReplacing(m_prompts, this, VBZipBas::archivePathFor(package), package);
        picProgress->clear();
        processPendingEvents();
        showProgressDisplay(false);
        try {
            PackageMake::writeArchive(package, files, readme, gob, context,
                                      MainModule::cataloguePath());
            appendLog(Messages::done());
            m_prompts.inform(this, Messages::successfullyDone());
        } catch (const ZipFailure &failure) {
            appendLog(Messages::done());
            m_prompts.critical(this, Messages::zipError(failure.result(), failure.description()));
        }
    } catch (const Failure &failure) {
        report(failure);
        picProgress->clear();
        showProgressDisplay(false);
    }
    MainModule::restoreNormalPointer();
    Frame2->setTitle(Messages::selectedItems());
}

void frmScript::cmdImportZip_Click(const QString &chosen)
{
    if (m_busy)
        return;
    const QString temp = TempFolder::path();
    TempFolder::deleteFilesIn(temp);
    OperationScope operation(*this);
    BusyCursor busy;
    PackageContext context {m_prompts, this, *this};
    try {
        const QString package = !chosen.isEmpty()
            ? chosen
            : MainModule::ShowOpenDialog(m_prompts, this, zipFilter(),
                                         Messages::selectZipToImportTitle());
        showProgressDisplay(false);
        // The session names the GOB file and its bats folder.
        ImportRequest request;
        request.packagePath = package;
        request.tempFolder = temp;
        request.backup = chkBackup->isChecked();
        request.withoutUndo = GobChange::asking(m_prompts, this);
        request.review = [&](const PackageContents &contents, QSet<qint64> &skip) {
            return frmPackagePreview::review(contents, m_session.gobPath(), package, this, skip);
        };
        const ImportOutcome outcome = m_session.importPackage(request, context);
        MainModule::restoreNormalPointer();
        if (outcome.imported) {
            showProgressDisplay(false);
            TempFolder::cleanUp(temp);
        }
    } catch (const Failure &failure) {
        report(failure);
        showProgressDisplay(false);
        MainModule::restoreNormalPointer();
    }
}

void frmScript::StartImport(const QString &package)
{
    Form_Load();
    cmdImportZip_Click(package);
}

void frmScript::showImportOnly()
{
    for (QWidget *w : std::initializer_list<QWidget *> {
             Frame1, Frame2, cmdAddAll, cmdAdd, cmdRemove, cmdRemoveAll, cmdAddOther, cmdMake,
             chkBackup, cmdImportZip, cmdAddMenu, cmdNewBmpList})
        w->hide();
    layout()->activate();
    resize(minimumSizeHint().expandedTo(QSize(Label1->fontMetrics().averageCharWidth() * 60, 0)));
}

// --- the progress display and the log box ---

void frmScript::setProgress(int percent)
{
    picProgress->setPercent(percent);
}

void frmScript::showProgressDisplay(bool on)
{
    m_log.clear();
    txtZipLog->clear();
    picProgress->setVisible(on);
    txtZipLog->setVisible(!on);
    picProgress->clear();
}

void frmScript::appendLog(const QString &text)
{
    processPendingEvents();
    m_log += text + u'\n';
    txtZipLog->setPlainText(m_log);
    txtZipLog->verticalScrollBar()->setValue(txtZipLog->verticalScrollBar()->maximum());
}

void frmScript::replaceLog(const QString &text)
{
    processPendingEvents();
    m_log = text + u'\n';
    txtZipLog->setPlainText(m_log);
}

void frmScript::processPendingEvents()
{
    QCoreApplication::processEvents();
}
