#pragma once

#include "catalogue.h"

#include <QAbstractListModel>
#include <QDateTime>

// The entries of a catalogue as a list model, one row an entry line in file order. A row's
// display text is taken from its line only when a view asks for it, so that a list of any
// length costs no more than reading the catalogue.
class CatalogueModel : public QAbstractListModel
{
public:
    explicit CatalogueModel(QObject *parent = nullptr);

    // Reads the catalogue file; throws like Catalogue::read.
    void load(const QString &path);

    // The text of entry line k as the file holds it now: the line read by load() while the file
    // is as it was then, else the line read afresh. Throws like Catalogue::readEntryLine.
    QString entryLine(int k) const;
    // Entry line k parsed in full; throws like entryLine() and CatalogueEntry::parse().
    CatalogueEntry entry(int k) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The display text of a row; a line without one shows as it stands, and is reported when
    // it is chosen.
    QString displayText(int row) const;

private:
    bool fileUnchanged() const;

    Catalogue m_catalogue;
    qint64 m_size = -1; // of the file when it was read
    QDateTime m_modified;
};
