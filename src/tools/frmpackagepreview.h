#pragma once

#include <QDialog>

class PackagePreview;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

// What a package would change before anything is written: every item with its state (new,
// same: skipped, conflict: with the change it conflicts with) and, for image records, the record
// now beside the record as the package makes it, drawn as the rows scroll into view. Apply
// accepts, with or without the conflicting items. Its controls are public, as the tests drive
// them.
class frmPackagePreview : public QDialog
{
    Q_OBJECT

public:
    frmPackagePreview(PackagePreview &preview, const QString &packageName, QWidget *owner);

    // Whether the conflicting items are to be left out.
    bool skipConflicts() const;

    QLabel *lblSummary = nullptr;
    QTableView *tblItems = nullptr;
    QCheckBox *chkSkipConflicts = nullptr;
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdCancel = nullptr;
};
