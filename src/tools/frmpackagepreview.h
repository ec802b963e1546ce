#pragma once

#include <QDialog>
#include <QSet>

class PackagePreview;
struct PackageContents;
class QLabel;
class QPushButton;
class QTableView;

// What a package would change before anything is written: every item with its state (new,
// same: skipped, conflict: with the change it conflicts with) and, for image records, the record
// now beside the record as the package makes it, drawn as the rows scroll into view. Apply all
// and Apply all but conflicts accept. Its controls are public, as the tests drive them.
class frmPackagePreview : public QDialog
{
    Q_OBJECT

public:
    frmPackagePreview(PackagePreview &preview, const QString &packageName, QWidget *owner);

    // The review of an import (ImportRequest::review): shows the package's items; false when
    // the user cancels. Apply all but conflicts adds the conflicting items to skip.
    static bool review(const PackageContents &contents, const QString &gobPath,
                       const QString &packagePath, QWidget *owner, QSet<qint64> &skip);

    // Whether the conflicting items are to be left out.
    bool skipConflicts() const { return m_skipConflicts; }

    QLabel *lblSummary = nullptr;
    QTableView *tblItems = nullptr;
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdApplyButConflicts = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    PackagePreview &m_preview;
    bool m_skipConflicts = false;
    bool m_shown = false;
};
