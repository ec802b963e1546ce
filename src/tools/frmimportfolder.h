#pragma once

#include <QDialog>

namespace FolderImport {
struct Plan;
}
class QLabel;
class QPushButton;
class QTreeWidget;

// The one question before a folder goes back into the GOB file: every changed file with its
// record as it is and as it will be, then the files that cannot be imported with their reasons
// and the files the export did not write. "Yes" accepts; "No" and closing write nothing.
class frmImportFolder : public QDialog
{
    Q_OBJECT

public:
    frmImportFolder(const FolderImport::Plan &plan, QWidget *owner);

    QLabel *lblQuestion = nullptr;
    QTreeWidget *lstFiles = nullptr; // file, now, new, what happens
    QPushButton *cmdYes = nullptr;
    QPushButton *cmdNo = nullptr;
};
