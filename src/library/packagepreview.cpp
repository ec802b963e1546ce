#include "packagepreview.h"

#include "packages/packagefiles.h"
#include "pictures/recordpicture.h"
#include "services/failure.h"
#include "services/fileaccess.h"

namespace {
constexpr int SettleBatch = 64;
} // namespace

PackagePreview::PackagePreview(const PackageContents &contents, const QString &gobPath,
                               QObject *parent)
    : QAbstractTableModel(parent)
    , m_gobPath(gobPath)
    , m_contents(contents)
{
    const QStringList descriptions = PackageFiles::readReplacedFiles(contents.replacedFiles);
    m_judge = std::make_unique<PackageDryRun::Judge>(contents, descriptions, gobPath);
    m_items = PackageDryRun::listOf(contents, descriptions);
    m_isSettled.fill(false, m_items.size());
    m_unsettled = int(m_items.size());
}

PackagePreview::~PackagePreview() = default;

const PackageDryRun::Item &PackagePreview::settledItem(qsizetype row) const
{
    if (!m_isSettled[row]) {
        try {
            m_judge->settle(m_items[row]);
        } catch (const Failure &) {
            // The GOB file cannot be read now: the item stays new, and applying it says why.
        }
        m_isSettled[row] = true;
        --m_unsettled;
    }
    return m_items[row];
}

void PackagePreview::settleAll() const
{
    for (qsizetype row = 0; m_unsettled > 0 && row < m_items.size(); ++row)
        settledItem(row);
}

void PackagePreview::settleInBackground()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            qsizetype row = m_isSettled.indexOf(false);
            if (row < 0) {
                emit allSettled();
                return;
            }
            const qsizetype first = row;
            for (int n = 0; n < SettleBatch && row < m_items.size(); ++row)
                if (!m_isSettled[row]) {
                    settledItem(row);
                    ++n;
                }
            emit dataChanged(index(int(first), State), index(int(row - 1), Conflict));
            settleInBackground();
        },
        Qt::QueuedConnection);
}

QSet<qint64> PackagePreview::conflicting() const
{
    settleAll();
    QSet<qint64> numbers;
    for (const PackageDryRun::Item &item : m_items)
        if (item.state == PackageDryRun::State::Conflict)
            numbers.insert(item.number);
    return numbers;
}

std::array<int, 3> PackagePreview::counts() const
{
    settleAll();
    std::array<int, 3> count {0, 0, 0};
    for (const PackageDryRun::Item &item : m_items)
        ++count[size_t(item.state)];
    return count;
}

int PackagePreview::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int PackagePreview::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant PackagePreview::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const PackageDryRun::Item &item = m_items[index.row()];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Number:
            return QString::number(item.number);
        case Place:
            return PackageDryRun::placeOf(item);
        case State:
            return PackageDryRun::nameOf(settledItem(index.row()).state);
        case Conflict:
            return settledItem(index.row()).conflict;
        default:
            return {};
        }
    }
    if (role == Qt::DecorationRole && (index.column() == Now || index.column() == New)) {
        const qint64 key = qint64(index.row()) * 2 + (index.column() == New);
        auto found = m_pictures.find(key);
        if (found == m_pictures.end())
            found = m_pictures.insert(key, picture(item, index.column() == New));
        return found->isNull() ? QVariant() : QVariant(*found);
    }
    if (role == Qt::SizeHintRole && (index.column() == Now || index.column() == New))
        return QSize(ThumbnailSide + 4, ThumbnailSide + 4);
    return {};
}

QVariant PackagePreview::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const names[Columns] = {QT_TR_NOOP("No."),   QT_TR_NOOP("Item"),
                                               QT_TR_NOOP("State"), QT_TR_NOOP("Conflicts with"),
                                               QT_TR_NOOP("Now"),   QT_TR_NOOP("New")};
    return tr(names[section]);
}

QImage PackagePreview::picture(const PackageDryRun::Item &item, bool after) const
{
    try {
        auto gob = FileAccess::openForReading(m_gobPath);
        const qint64 start = item.region.start - ImageRecord::PixelsOffset;
        if (start < 0)
            return {};
        // Only a region that is exactly a record's pixels and palette is drawn.
        if (ImageRecord::readHeader(*gob, start).recordBytes() - ImageRecord::PixelsOffset
            != item.region.length)
            return {};
        RecordPicture record = RecordPicture::read(*gob, qint32(start + 1));
        if (after) {
            auto data = FileAccess::openForReading(m_contents.fileData);
            const QByteArray bytes = FileAccess::readAt(*data, item.dataOffset, item.region.length);
            record.pixels = bytes.left(record.pixels.size());
            record.palette = bytes.mid(record.pixels.size());
        }
        return record.image().scaled(ThumbnailSide, ThumbnailSide, Qt::KeepAspectRatio);
    } catch (const Failure &) {
        return {}; // no image record there: the item shows no picture
    }
}
