#pragma once

#include <QDialog>

namespace FolderImport {
struct Plan;
}
class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// The one question before a folder goes back into the GOB file: every changed file with its
// record as it is and as it will be, then the files that cannot be imported (marked, with their
// reasons) and the files the export did not write, which a box hides; the unchanged files are
// only counted. A cell too narrow for its text shows it whole as a tooltip. "Yes" accepts; "No"
// and closing write nothing.
class frmImportFolder : public QDialog
{
    Q_OBJECT

public:
    frmImportFolder(const FolderImport::Plan &plan, QWidget *owner);

    QLabel *lblQuestion = nullptr;
    QTreeWidget *lstFiles = nullptr; // file, now, new, what happens
    QCheckBox *chkChangedOnly = nullptr;
    QLabel *lblUnchanged = nullptr;
    QPushButton *cmdYes = nullptr;
    QPushButton *cmdNo = nullptr;
};
