#include "cataloguemodel.h"

#include "services/failure.h"

#include <QFileInfo>

#include <system_error>

CatalogueModel::CatalogueModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

CatalogueModel::FileRead CatalogueModel::readFile(const QString &path)
{
    // Taken before reading: a change while it is read shows as a change.
    const QFileInfo file(path);
    FileRead read;
    read.size = file.size();
    read.modified = file.lastModified();
    read.catalogue = Catalogue::read(path);
    return read;
}

void CatalogueModel::load(const QString &path)
{
    load(readFile(path));
}

void CatalogueModel::load(FileRead read)
{
    beginResetModel();
    m_catalogue = std::move(read.catalogue);
    m_size = read.size;
    m_modified = std::move(read.modified);
    endResetModel();
}

bool CatalogueModel::fileUnchanged() const
{
    const QFileInfo file(m_catalogue.path());
    return m_size >= 0 && file.exists() && file.size() == m_size
        && file.lastModified() == m_modified;
}

QString CatalogueModel::entryLine(int k) const
{
    if (fileUnchanged())
        return m_catalogue.entryLine(k);
    return Catalogue::readEntryLine(m_catalogue.path(), k);
}

CatalogueEntry CatalogueModel::entry(int k) const
{
    return CatalogueEntry::parse(entryLine(k), Catalogue::lineNumberOfEntry(k), m_catalogue.path());
}

int CatalogueModel::rowCount(const QModelIndex &parent) const
{
    // A catalogue not yet set has no lines at all.
    return parent.isValid() ? 0 : qMax(0, m_catalogue.entryCount());
}

QVariant CatalogueModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    return displayText(index.row());
}

QString CatalogueModel::displayText(int row) const
{
    try {
        return m_catalogue.displayText(row);
    } catch (const Failure &) {
        return m_catalogue.entryLine(row);
    }
}

CatalogueReadAhead::CatalogueReadAhead(const QString &path)
    : m_path(path)
{
    try {
        m_read = std::async(std::launch::async, &CatalogueModel::readFile, path);
    } catch (const std::system_error &) {
        // No thread to be had: take() reads the file itself.
    }
}

CatalogueModel::FileRead CatalogueReadAhead::take()
{
    if (!m_read.valid())
        return CatalogueModel::readFile(m_path);
    return m_read.get();
}
