#include "frmimportfolder.h"

#include "pictures/folderimport.h"
#include "services/messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmImportFolder::frmImportFolder(const FolderImport::Plan &plan, QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmImportFolder"));
    setWindowTitle(Messages::importFolderTitle());
    auto *layout = new QVBoxLayout(this);
    lblQuestion = new QLabel(Messages::importFolderQuestion(int(plan.changes.size())), this);
    lblQuestion->setObjectName(QStringLiteral("lblQuestion"));
    layout->addWidget(lblQuestion);

    lstFiles = new QTreeWidget(this);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setRootIsDecorated(false);
    lstFiles->setIconSize(QSize(64, 64)); // the thumbnails' side
    lstFiles->setHeaderLabels({tr("File"), tr("Now"), tr("New"), tr("What happens")});
    for (const FolderImport::Change &change : plan.changes) {
        auto *row = new QTreeWidgetItem(lstFiles, {change.line.name, {}, {}, change.outcome});
        row->setIcon(1, QPixmap::fromImage(change.before));
        row->setIcon(2, QPixmap::fromImage(change.after));
    }
    for (const FolderImport::Skipped &refused : plan.refused)
        new QTreeWidgetItem(lstFiles, {refused.name, {}, {}, refused.reason});
    for (const QString &name : plan.unlisted)
        new QTreeWidgetItem(lstFiles, {name, {}, {}, Messages::notInManifest()});
    lstFiles->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    layout->addWidget(lstFiles, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdYes = new QPushButton(tr("&Yes"), this);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdNo = new QPushButton(tr("&No"), this);
    cmdNo->setObjectName(QStringLiteral("cmdNo"));
    cmdNo->setDefault(true);
    buttons->addWidget(cmdYes);
    buttons->addWidget(cmdNo);
    layout->addLayout(buttons);
    connect(cmdYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdNo, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 480);
}
