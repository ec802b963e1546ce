#include "frmpackagepreview.h"

#include "library/packagepreview.h"
#include "services/messages.h"
#include "widgets/busycursor.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

frmPackagePreview::frmPackagePreview(PackagePreview &preview, const QString &packageName,
                                     QWidget *owner)
    : QDialog(owner)
    , m_preview(preview)
{
    setObjectName(QStringLiteral("frmPackagePreview"));
    setWindowTitle(packageName);
    auto *layout = new QVBoxLayout(this);
    lblSummary = new QLabel(Messages::previewLooking(preview.rowCount()), this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    layout->addWidget(lblSummary);

    tblItems = new QTableView(this);
    tblItems->setObjectName(QStringLiteral("tblItems"));
    tblItems->setModel(&preview);
    tblItems->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblItems->setIconSize(QSize(PackagePreview::ThumbnailSide, PackagePreview::ThumbnailSide));
    tblItems->verticalHeader()->hide();
    // Fixed row heights and column widths: the view never asks every row for its size.
    tblItems->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblItems->verticalHeader()->setDefaultSectionSize(PackagePreview::ThumbnailSide + 4);
    tblItems->horizontalHeader()->setStretchLastSection(true);
    for (const auto &[column, width] : {std::pair {PackagePreview::Number, 48},
                                        {PackagePreview::Place, 220},
                                        {PackagePreview::State, 72},
                                        {PackagePreview::Conflict, 220},
                                        {PackagePreview::Now, 60}})
        tblItems->setColumnWidth(column, width);
    layout->addWidget(tblItems, 1);

    auto *row = new QHBoxLayout;
    const auto button = [this, row](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        row->addWidget(b);
        return b;
    };
    row->addStretch(1);
    cmdApply = button("cmdApply", tr("Apply &all"));
    cmdApply->setDefault(true);
    // Known only once every state is: enabled then if any item conflicts.
    cmdApplyButConflicts = button("cmdApplyButConflicts", tr("Apply all &but conflicts"));
    cmdApplyButConflicts->setEnabled(false);
    cmdCancel = button("cmdCancel", tr("&Cancel"));
    layout->addLayout(row);
    resize(820, 480);

    connect(&preview, &PackagePreview::allSettled, this, [this] {
        const auto count = m_preview.counts();
        lblSummary->setText(Messages::previewSummary(count[0], count[1], count[2]));
        cmdApplyButConflicts->setEnabled(count[size_t(PackageDryRun::State::Conflict)] > 0);
    });
    connect(cmdApply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdApplyButConflicts, &QPushButton::clicked, this, [this] {
        m_skipConflicts = true;
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmPackagePreview::review(const PackageContents &contents, const QString &gobPath,
                               const QString &packagePath, QWidget *owner, QSet<qint64> &skip)
{
    PackagePreview preview(contents, gobPath);
    frmPackagePreview window(preview, QFileInfo(packagePath).fileName(), owner);
    const NormalCursor waiting;
    if (window.exec() != QDialog::Accepted)
        return false;
    if (window.skipConflicts())
        skip += preview.conflicting();
    return true;
}

void frmPackagePreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The rows in view first; the rest once the window is drawn.
    if (!std::exchange(m_shown, true))
        m_preview.settleInBackground();
}
