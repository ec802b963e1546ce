#include "frminstalledpackages.h"

#include "frmpackagepreview.h"

#include "library/installedpackages.h"
#include "packages/tempfolder.h"
#include "services/errorreport.h"
#include "services/failure.h"
#include "services/filedialogs.h"
#include "services/messages.h"
#include "services/prompts.h"
#include "session/gobsession.h"
#include "widgets/busycursor.h"
#include "widgets/contexthelp.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int HistoryTopic = 12;
enum Column { Number, Name, Time, Items, Holding };

} // namespace

frmInstalledPackages::frmInstalledPackages(Prompts &prompts, Opener &opener, GobSession &session,
                                           QWidget *owner)
    : QDialog(owner)
    , m_prompts(prompts)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmInstalledPackages"));
    setWindowTitle(tr("Installed Packages"));
    auto *layout = new QVBoxLayout(this);
    lstPackages = new QTreeWidget(this);
    lstPackages->setObjectName(QStringLiteral("lstPackages"));
    lstPackages->setRootIsDecorated(false);
    lstPackages->setHeaderLabels(
        {tr("No."), tr("Package"), tr("Time"), tr("Items"), tr("Still its bytes")});
    lstPackages->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(lstPackages, 1);
    lblNote = new QLabel(this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    layout->addWidget(lblNote);

    auto *row = new QHBoxLayout;
    cmdPreview = new QPushButton(tr("&Preview Zip…"), this);
    cmdPreview->setObjectName(QStringLiteral("cmdPreview"));
    cmdRemove = new QPushButton(tr("&Remove"), this);
    cmdRemove->setObjectName(QStringLiteral("cmdRemove"));
    cmdClose = new QPushButton(tr("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    row->addWidget(cmdPreview);
    row->addStretch(1);
    row->addWidget(cmdRemove);
    row->addWidget(cmdClose);
    layout->addLayout(row);
    resize(640, 320);
    ContextHelp::setTopic(lstPackages, HistoryTopic);
    ContextHelp::setTopic(cmdRemove, HistoryTopic);
    ContextHelp::addHelpKeys(this, opener, HistoryTopic);

    connect(lstPackages, &QTreeWidget::currentItemChanged, this,
            [this] { cmdRemove->setEnabled(lstPackages->currentItem() != nullptr); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    connect(cmdPreview, &QPushButton::clicked, this, [this] { cmdPreview_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(&m_session, &GobSession::historyChanged, this, [this] { Form_Load(); });
}

void frmInstalledPackages::Form_Load()
{
    lstPackages->clear();
    try {
        const QList<InstalledPackages::Package> packages =
            InstalledPackages::of(m_session.gobPath());
        for (qsizetype i = packages.size() - 1; i >= 0; --i) {
            const InstalledPackages::Package &p = packages[i];
            new QTreeWidgetItem(lstPackages,
                                {QString::number(p.number), p.name, Messages::isoTime(p.time),
                                 QString::number(p.items), QString::number(p.holding)});
        }
        lblNote->setText(InstalledPackages::droppedNote(m_session.gobPath()));
    } catch (const Failure &failure) {
        lblNote->setText(failure.description());
    }
    lstPackages->setCurrentItem(lstPackages->topLevelItem(0));
    cmdRemove->setEnabled(lstPackages->currentItem() != nullptr);
}

void frmInstalledPackages::cmdRemove_Click()
{
    const QTreeWidgetItem *item = lstPackages->currentItem();
    if (!item)
        return;
    const QString number = item->text(Number);
    if (m_prompts.askYesNo(this, Messages::askRemovePackage(number, item->text(Name)),
                           windowTitle(), Answer::No)
        != Answer::Yes)
        return;
    try {
        const BusyCursor busy;
        m_session.removePackage(number); // the list follows the history
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, this, failure);
    }
}

void frmInstalledPackages::cmdPreview_Click(const QString &chosen)
{
    PackageDisplay quiet;
    PackageContext context {m_prompts, this, quiet};
    try {
        const QString package = !chosen.isEmpty()
            ? chosen
            : MainModule::ShowOpenDialog(m_prompts, this,
                                         {{tr("Zip file"), QStringLiteral("*.zip")}},
                                         Messages::selectZipToImportTitle());
        ImportRequest request;
        request.packagePath = package;
        request.tempFolder = TempFolder::path();
        request.withoutUndo = GobChange::asking(m_prompts, this);
        request.review = [&](const PackageContents &contents, QSet<qint64> &skip) {
            return frmPackagePreview::review(contents, m_session.gobPath(), package, this, skip);
        };
        const BusyCursor busy;
        TempFolder::deleteFilesIn(request.tempFolder);
        m_session.importPackage(request, context);
        TempFolder::cleanUp(request.tempFolder);
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, this, failure);
    }
}
