#pragma once

#include "packagedryrun.h"

#include "packages/packageimport.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QImage>

#include <array>
#include <memory>

// What a package would change, as a table for a view: number, item, state, the change it
// conflicts with, and for image records the record now and as the package makes it. States and
// pictures are worked out only when a view asks for them (the rows scrolled into view) and then
// kept, the states of the other rows in batches once the window shows, so that a package of
// thousands of items opens at once.
class PackagePreview : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Number, Place, State, Conflict, Now, New, Columns };
    static constexpr int ThumbnailSide = 48;

    // Throws the failures of PackageDryRun::of.
    PackagePreview(const PackageContents &contents, const QString &gobPath,
                   QObject *parent = nullptr);

    ~PackagePreview() override;

    // The numbers of the conflicting items, to leave them out.
    QSet<qint64> conflicting() const;
    // How many items are new, same and conflicting (in the order of PackageDryRun::State).
    std::array<int, 3> counts() const;
    // How many pictures have been drawn so far.
    int drawn() const { return int(m_pictures.size()); }
    // Works out the states of the rows not yet asked for, a batch each turn of the event loop;
    // then allSettled().
    void settleInBackground();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void allSettled();

private:
    const PackageDryRun::Item &settledItem(qsizetype row) const;
    void settleAll() const;
    // The record at the item's region now, or with the package's bytes; null when the region is
    // not exactly an image record's pixels and palette.
    QImage picture(const PackageDryRun::Item &item, bool after) const;

    QString m_gobPath;
    PackageContents m_contents;
    mutable QList<PackageDryRun::Item> m_items;
    std::unique_ptr<PackageDryRun::Judge> m_judge;
    mutable QList<bool> m_isSettled;
    mutable int m_unsettled = 0;
    mutable QHash<qint64, QImage> m_pictures; // row * 2 + (after)
};
