#include "frmhistory.h"

#include "history/gobhistory.h"
#include "services/errorreport.h"
#include "services/failure.h"
#include "services/messages.h"
#include "services/prompts.h"
#include "session/gobsession.h"
#include "widgets/contexthelp.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr qint64 MiB = 1 << 20;
constexpr int HistoryTopic = 12;
enum Column { Number, Time, Kind, State, Bytes, Description };

} // namespace

frmHistory::frmHistory(Prompts &prompts, Opener &opener, GobSession &session, QWidget *owner)
    : QDialog(owner)
    , m_prompts(prompts)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(tr("History"));
    auto *layout = new QVBoxLayout(this);
    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    layout->addWidget(lblSummary);

    lstChanges = new QTreeWidget(this);
    lstChanges->setObjectName(QStringLiteral("lstChanges"));
    lstChanges->setRootIsDecorated(false);
    lstChanges->setHeaderLabels(
        {tr("No."), tr("Time"), tr("Kind"), tr("State"), tr("Bytes"), tr("Description")});
    lstChanges->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(lstChanges, 1);

    auto *row = new QHBoxLayout;
    auto *limitLabel = new QLabel(tr("&Keep at most (MiB):"), this);
    spnLimit = new QSpinBox(this);
    spnLimit->setObjectName(QStringLiteral("spnLimit"));
    spnLimit->setRange(1, 1 << 20);
    spnLimit->setValue(int(qMin<qint64>(GobHistory::limit() / MiB, 1 << 20)));
    limitLabel->setBuddy(spnLimit);
    cmdUndoTo = new QPushButton(tr("&Undo Back To Here"), this);
    cmdUndoTo->setObjectName(QStringLiteral("cmdUndoTo"));
    cmdRedo = new QPushButton(tr("&Redo"), this);
    cmdRedo->setObjectName(QStringLiteral("cmdRedo"));
    cmdClose = new QPushButton(tr("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    row->addWidget(limitLabel);
    row->addWidget(spnLimit);
    row->addStretch(1);
    row->addWidget(cmdUndoTo);
    row->addWidget(cmdRedo);
    row->addWidget(cmdClose);
    layout->addLayout(row);
    resize(720, 400);
    for (QWidget *control : {static_cast<QWidget *>(lstChanges), static_cast<QWidget *>(spnLimit),
                             static_cast<QWidget *>(cmdUndoTo), static_cast<QWidget *>(cmdRedo)})
        ContextHelp::setTopic(control, HistoryTopic);
    ContextHelp::addHelpKeys(this, opener, HistoryTopic);

    connect(lstChanges, &QTreeWidget::currentItemChanged, this, [this] { updateCommands(); });
    connect(spnLimit, &QSpinBox::valueChanged, this, [this](int v) { spnLimit_Change(v); });
    connect(cmdUndoTo, &QPushButton::clicked, this, [this] { cmdUndoTo_Click(); });
    connect(cmdRedo, &QPushButton::clicked, this, [this] { cmdRedo_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(&m_session, &GobSession::historyChanged, this, [this] { Form_Load(); });
}

void frmHistory::Form_Load()
{
    lblSummary->setText(m_session.historySummary());
    lstChanges->clear();
    const QList<ChangeFile> changes = m_session.changes();
    for (qsizetype i = changes.size() - 1; i >= 0; --i) {
        const ChangeHeader &h = changes[i].header();
        auto *item = new QTreeWidgetItem(
            lstChanges,
            {QString::number(changes[i].sequence()), Messages::isoTime(h.time), nameOf(h.kind),
             nameOf(changes[i].state()), QString::number(h.bytes()), h.description});
        item->setData(Number, Qt::UserRole, changes[i].state() == ChangeState::Done);
    }
    lstChanges->setCurrentItem(lstChanges->topLevelItem(0));
    updateCommands();
    cmdRedo->setEnabled(m_session.nextRedo().has_value());
}

void frmHistory::updateCommands()
{
    // Something to undo from the chosen change on: a done change at or above it.
    bool undoable = false;
    const int chosen = lstChanges->indexOfTopLevelItem(lstChanges->currentItem());
    for (int row = 0; row >= 0 && row <= chosen; ++row)
        undoable = undoable || lstChanges->topLevelItem(row)->data(Number, Qt::UserRole).toBool();
    cmdUndoTo->setEnabled(undoable);
}

void frmHistory::cmdUndoTo_Click()
{
    const QTreeWidgetItem *item = lstChanges->currentItem();
    if (!item || !cmdUndoTo->isEnabled())
        return;
    const int number = item->text(Number).toInt();
    if (m_prompts.askYesNo(this, Messages::askUndoBackTo(number), windowTitle(), Answer::No)
        != Answer::Yes)
        return;
    try {
        m_session.undoTo(number); // the list follows the history
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, this, failure);
    }
}

void frmHistory::cmdRedo_Click()
{
    try {
        m_session.redo(); // the list follows the history
    } catch (const Failure &failure) {
        MainModule::ReportError(m_prompts, this, failure);
    }
}

void frmHistory::spnLimit_Change(int mebibytes)
{
    GobHistory::setLimit(mebibytes * MiB);
    lblSummary->setText(m_session.historySummary());
}
