#pragma once

#include "catalogue.h"

#include <QAbstractListModel>
#include <QDateTime>

#include <future>

// The entries of a catalogue as a list model, one row an entry line in file order. A row's
// display text is taken from its line only when a view asks for it, so that a list of any
// length costs no more than reading the catalogue.
class CatalogueModel : public QAbstractListModel
{
public:
    explicit CatalogueModel(QObject *parent = nullptr);

    // A catalogue file as read, with its size and time of change taken before the read.
    struct FileRead
    {
        Catalogue catalogue;
        qint64 size = -1;
        QDateTime modified;
    };
    // Reads the catalogue file; throws like Catalogue::read. Touches no model, so it may run on
    // any thread.
    static FileRead readFile(const QString &path);

    // Reads the catalogue file; throws like Catalogue::read.
    void load(const QString &path);
    // Lists a catalogue read by readFile().
    void load(FileRead read);

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

// Reads a catalogue file on a thread of its own from the moment it is made, so that the read
// overlaps building the window that lists it. The thread touches nothing but the file and the
// catalogue it makes; take() hands the catalogue over, or throws the read's failure, on the
// caller's thread. A read never taken is waited for when the object goes.
class CatalogueReadAhead
{
public:
    explicit CatalogueReadAhead(const QString &path);

    // Waits for the read and gives its catalogue; once taken, the next call reads the file again.
    CatalogueModel::FileRead take();

private:
    QString m_path;
    std::future<CatalogueModel::FileRead> m_read; // std::async's: its end waits for the thread
};
