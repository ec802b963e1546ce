#pragma once

#include <QListView>

class CatalogueEntry;
class CatalogueModel;
class CatalogueReadAhead;

// The list of a catalogue's entries in a window: one line of text a row, all rows of one size,
// so that a catalogue of any length shows at once. A row too narrow for its text is cut with
// an ellipsis and shows the whole text as its tooltip.
class EntryList : public QListView
{
    Q_OBJECT

public:
    explicit EntryList(QWidget *parent = nullptr);

    // Lists the entries of the catalogue file; throws like Catalogue::read.
    void load(const QString &path);
    // Lists the entries of the catalogue read ahead; throws the read's failure.
    void load(CatalogueReadAhead &read);
    // Entry line k parsed in full, as the file holds it now (CatalogueModel::entry).
    CatalogueEntry entry(int k) const;

    int count() const;
    // The current row, -1 for none.
    int currentRow() const;
    // Makes row the current and only selected row; -1 clears both.
    void setCurrentRow(int row);
    QString text(int row) const;

Q_SIGNALS:
    void currentRowChanged(int row);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    bool viewportEvent(QEvent *event) override;

private:
    CatalogueModel *m_model;
};
