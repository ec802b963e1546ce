#include "frmpackagepreview.h"

#include "library/packagepreview.h"
#include "services/messages.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

frmPackagePreview::frmPackagePreview(PackagePreview &preview, const QString &packageName,
                                     QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmPackagePreview"));
    setWindowTitle(packageName);
    auto *layout = new QVBoxLayout(this);
    int count[3] = {0, 0, 0};
    for (const PackageDryRun::Item &item : preview.items())
        ++count[int(item.state)];
    lblSummary = new QLabel(Messages::previewSummary(count[0], count[1], count[2]), this);
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
    chkSkipConflicts = new QCheckBox(tr("&Skip conflicting items"), this);
    chkSkipConflicts->setObjectName(QStringLiteral("chkSkipConflicts"));
    chkSkipConflicts->setEnabled(count[int(PackageDryRun::State::Conflict)] > 0);
    cmdApply = new QPushButton(tr("&Apply"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    cmdApply->setDefault(true);
    cmdCancel = new QPushButton(tr("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    row->addWidget(chkSkipConflicts);
    row->addStretch(1);
    row->addWidget(cmdApply);
    row->addWidget(cmdCancel);
    layout->addLayout(row);
    resize(820, 480);

    connect(cmdApply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmPackagePreview::skipConflicts() const
{
    return chkSkipConflicts->isChecked();
}
