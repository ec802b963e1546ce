// The GOB session: the path, the selection and what is shown, and the watch on the history.
#include "gobsession.h"

#include "history/gobhistory.h"
#include "records/recordextraction.h"
#include "services/apppath.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/imaging.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

GobSession::GobSession(QObject *parent)
    : QObject(parent)
{
}

GobSession::~GobSession() = default;

QString GobSession::canonicalPath(const QString &path)
{
    if (path.trimmed().isEmpty())
        return QString();
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void GobSession::setGobPath(const QString &path)
{
    m_gobPath = canonicalPath(path);
    clearSelection();
    emit gobPathChanged();
    watchHistory();
    m_seen = historyState();
    emit historyChanged();
}

void GobSession::openForCommand(const QString &gobPath, const QString &cataloguePath,
                                const QString &scratchFolder)
{
    m_oneShot = true;
    m_gobPath = gobPath;
    m_cataloguePath = cataloguePath;
    m_scratch = scratchFolder.isEmpty() ? QString() : scratchFolder + QStringLiteral("/temp.bmp");
    clearSelection();
    emit gobPathChanged();
}

QString GobSession::cataloguePath() const
{
    return m_cataloguePath.isEmpty() ? MainModule::cataloguePath() : m_cataloguePath;
}

QStringList GobSession::recover()
{
    if (!hasGobFile())
        return {};
    const QStringList said = GobHistory(m_gobPath).recover();
    if (!said.isEmpty())
        afterWrite();
    return said;
}

void GobSession::selectEntry(const CatalogueEntry &entry)
{
    m_selection.entry = entry;
    m_selection.hasEntry = true;
    m_selection.wholeFile = entry.isWholeFile();
    m_selection.count = entry.count();
    m_selection.subFile = 0;
    emit selectionChanged();
    setShown(false);
}

void GobSession::selectSubFile(int index)
{
    readSubFile(index, true);
}

void GobSession::chooseSubFile(int index)
{
    readSubFile(index, false);
}

void GobSession::readSubFile(int index, bool copy)
{
    if (!m_selection.hasEntry || index < 1 || index > m_selection.count)
        return;
    const SubFile &sub = m_selection.entry.subFile(index);
    m_selection.subFile = index;
    m_selection.offset = sub.offset;
    if (m_selection.wholeFile)
        m_selection.areaSize = sub.areaSize;
    emit selectionChanged();
    const QString scratch = m_scratch.isEmpty() ? MainModule::scratchBitmapPath() : m_scratch;
    try {
        if (m_selection.wholeFile) {
            RecordExtraction::extractWholeFileRecord(m_gobPath, m_selection.offset,
                                                     m_selection.areaSize, scratch);
            // The picture's own size; 0 x 0 when the area holds none.
            qint32 format = 0;
            QString file = scratch;
            MainModule::GetImageInfo(m_selection.width, m_selection.height, format, file);
        } else {
            ImageRecord::Size size;
            if (copy) {
                size = RecordExtraction::extractImageRecord(m_gobPath, m_selection.offset, scratch);
            } else {
                auto gob = FileAccess::openForReading(m_gobPath);
                size = ImageRecord::readHeader(*gob, ImageRecord::recordStart(m_selection.offset));
            }
            m_selection.width = size.width;
            m_selection.height = size.height;
        }
    } catch (const Failure &) {
        // None of the previous record's size stays on show.
        m_selection.width = m_selection.height = 0;
        setShown(false);
        throw;
    }
    setShown(true);
}

void GobSession::clearSelection()
{
    const qint32 areaSize = m_selection.areaSize;
    m_selection = SelectionState();
    m_selection.areaSize = areaSize;
    emit selectionChanged();
    setShown(false);
}

void GobSession::setShown(bool shown)
{
    m_shown = shown;
    emit shownChanged();
}

QList<ChangeFile> GobSession::changes() const
{
    return hasGobFile() ? GobHistory(m_gobPath).changes() : QList<ChangeFile>();
}

std::optional<ChangeFile> GobSession::newestDone() const
{
    const QList<ChangeFile> all = changes();
    // Nothing to undo past a change made without undo.
    for (qsizetype i = all.size() - 1; i >= 0 && all[i].state() != ChangeState::Unrecorded; --i) {
        if (all[i].state() == ChangeState::Done)
            return all[i];
    }
    return std::nullopt;
}

std::optional<ChangeFile> GobSession::nextRedo() const
{
    const QList<ChangeFile> all = changes();
    const qsizetype index = GobHistory::redoIndex(all);
    if (index < 0 || !all[index].canRedo())
        return std::nullopt;
    return all[index];
}

QString GobSession::historySummary() const
{
    return hasGobFile() ? GobHistory(m_gobPath).summary() : QString();
}

QStringList GobSession::historyState() const
{
    QStringList state;
    for (const ChangeFile &change : changes())
        state << change.path() + u'|' + nameOf(change.state());
    return state;
}

void GobSession::watchHistory()
{
    // The history folder and its change files (an undo rewrites one in place); before the
    // first change the nearest folder above it, where it will appear.
    if (m_watcher) {
        if (!m_watcher->files().isEmpty())
            m_watcher->removePaths(m_watcher->files());
        if (!m_watcher->directories().isEmpty())
            m_watcher->removePaths(m_watcher->directories());
    }
    if (!hasGobFile() || m_oneShot)
        return;
    if (!m_watcher) {
        m_watcher = std::make_unique<QFileSystemWatcher>();
        connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, this,
                [this] { historyTouched(); });
        connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, this,
                [this] { historyTouched(); });
    }
    QString folder = GobHistory(m_gobPath).folder();
    while (!QFileInfo(folder).isDir() && folder.size() > 1)
        folder = QFileInfo(folder).absolutePath();
    m_watcher->addPath(folder);
    for (const ChangeFile &change : changes())
        m_watcher->addPath(change.path());
}

void GobSession::historyTouched()
{
    // While a command of this session writes, its own change files come and go; it announces
    // the history itself when it is done.
    if (m_writing)
        return;
    watchHistory();
    const QStringList state = historyState();
    if (state == m_seen)
        return; // our own change, already announced
    m_seen = state;
    emit historyChanged();
    // Another program wrote into the GOB file: the record shown is read again. There is no one
    // to tell of a failure here; the record is then no longer shown.
    try {
        reloadShown();
    } catch (const Failure &) {
    }
}

void GobSession::reloadShown()
{
    if (!m_oneShot && m_selection.hasEntry && m_selection.subFile >= 1)
        selectSubFile(m_selection.subFile);
}

void GobSession::afterWrite()
{
    m_writing = false;
    if (!m_oneShot) {
        watchHistory();
        m_seen = historyState();
    }
    emit historyChanged();
    reloadShown();
}
