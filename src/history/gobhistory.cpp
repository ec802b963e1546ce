#include "gobhistory.h"

#include "overlay.h"

#include "history/gobwriter.h"
#include "services/apppath.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"
#include "services/settings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QStorageInfo>
#include <QThread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace {

constexpr qint64 DefaultLimit = qint64(1) << 30;
constexpr qint64 SpareRoom = qint64(1) << 20; // left free on the disk beside a new change

// The bytes free to this user on the disk that holds folder; -1 when it cannot be told. On Unix
// the folder's disk is asked directly, without reading the mount table first.
qint64 bytesAvailable(const QString &folder)
{
#ifdef Q_OS_UNIX
    struct statvfs disk;
    if (statvfs(QFile::encodeName(folder).constData(), &disk) != 0)
        return -1;
    return qint64(disk.f_bavail) * qint64(disk.f_frsize);
#else
    const QStorageInfo disk(folder);
    return disk.isValid() ? disk.bytesAvailable() : -1;
#endif
}

QString hashOf(const QString &text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Blake2b_256).toHex().left(16));
}

QString identityOf(const QString &gobPath)
{
    const QFileInfo info(gobPath);
    const QString canonical = info.canonicalFilePath();
    return hashOf(canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical);
}

QString shown(const ChangeFile &change)
{
    const ChangeHeader &h = change.header();
    return Messages::changeNamed(nameOf(h.kind), h.description, h.time);
}

// Whether the GOB file open in gob is the one the change was made to (a change file of the
// first version does not say). A length that changed since is left to the checks of the
// regions, which name the bytes.
bool sameGob(const ChangeFile &change, const FileIdentity::Stamp &gob)
{
    const FileIdentity::Stamp &made = change.header().gob;
    return made.inode == 0 || (made.device == gob.device && made.inode == gob.inode);
}

constexpr int LockWaitMs = 2000;

// The old bytes of a change, as a layer that shows the GOB file as its undo leaves it.
QList<Overlay::Piece> layerOf(const ChangeFile &change)
{
    QList<Overlay::Piece> pieces;
    for (const OldBytes &old : change.oldBytes())
        pieces.append({old.start, old.length, old.fileOffset});
    return pieces;
}

} // namespace

GobHistory::GobHistory(const QString &gobPath)
    : m_gobPath(gobPath)
    , m_folder(MainModule::AppPath() + QStringLiteral("history/") + identityOf(gobPath))
{
}

GobHistory::~GobHistory()
{
#ifdef Q_OS_UNIX
    if (m_lock >= 0)
        ::close(m_lock);
#endif
}

qint64 GobHistory::limit()
{
    const qint64 bytes = Settings::read(Settings::HistoryLimitKey).toLongLong();
    return bytes > 0 ? bytes : DefaultLimit;
}

void GobHistory::setLimit(qint64 bytes)
{
    Settings::save(Settings::HistoryLimitKey, QString::number(bytes));
}

void GobHistory::lock()
{
#ifdef Q_OS_UNIX
    if (m_lock >= 0)
        return;
    // The GOB file itself: every process that writes it finds the lock there, whatever its
    // temporary or application folder, and a process that dies lets go of it.
    const int handle = ::open(QFile::encodeName(m_gobPath).constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) {
        const QFile gob(m_gobPath);
        throw FileAccess::failureOf(gob, QStringLiteral("open"), errno);
    }
    for (int waited = 0; ::flock(handle, LOCK_EX | LOCK_NB) != 0; waited += 50) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= LockWaitMs) {
            ::close(handle);
            throw Failure(FailureNumber::FileAccess,
                          Messages::historyBusy(FileAccess::displayPath(m_gobPath), 0));
        }
        QThread::msleep(50);
    }
    m_lock = handle;
#else
    if (m_lockFile)
        return;
    QDir().mkpath(m_folder);
    auto lock = std::make_unique<QLockFile>(m_folder + QStringLiteral("/lock"));
    lock->setStaleLockTime(0); // a long import holds it for as long as it takes
    if (!lock->tryLock(LockWaitMs))
        throw Failure(FailureNumber::FileAccess,
                      Messages::historyBusy(FileAccess::displayPath(m_gobPath), 0));
    m_lockFile = std::move(lock);
#endif
}

QList<ChangeFile> GobHistory::changes() const
{
    QList<ChangeFile> list;
    const QStringList names =
        QDir(m_folder).entryList({QStringLiteral("*.change")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        try {
            list.append(ChangeFile::read(m_folder + u'/' + name));
        } catch (const Failure &) {
            // recover() sets it aside and says so
        }
    }
    return list;
}

qint64 GobHistory::size() const
{
    qint64 total = 0;
    for (const ChangeFile &change : changes())
        total += change.fileSize();
    return total;
}

QString GobHistory::summary() const
{
    const QList<ChangeFile> all = changes();
    QDateTime reach;
    qint64 bytes = 0;
    for (const ChangeFile &change : all) {
        bytes += change.fileSize();
        if (!reach.isValid() && change.state() == ChangeState::Done)
            reach = change.header().time;
    }
    return Messages::historySummary(int(all.size()), bytes, limit(), reach);
}

QString GobHistory::nextChangePath() const
{
    const QStringList names = QDir(m_folder).entryList({QStringLiteral("*.change*")}, QDir::Files,
                                                       QDir::Name | QDir::Reversed);
    const qint64 last = names.isEmpty() ? 0 : QFileInfo(names.first()).baseName().toLongLong();
    return m_folder + QStringLiteral("/%1.change").arg(last + 1, 8, 10, QChar(u'0'));
}

QStringList GobHistory::recover()
{
    if (!QFileInfo::exists(m_folder))
        return {};
    lock();
    QStringList said;
    const QStringList names =
        QDir(m_folder).entryList({QStringLiteral("*.change")}, QDir::Files, QDir::Name);
    // All of them first: whether a change may be unfinished depends on the newer ones.
    QList<ChangeFile> read;
    for (const QString &name : names) {
        const QString path = m_folder + u'/' + name;
        try {
            read.append(ChangeFile::read(path));
        } catch (const Failure &failure) {
            if (failure.number() != FailureNumber::DamagedHistory)
                throw;
            said << setAside(path, failure.description());
        }
    }
    std::unique_ptr<GobWriter> gob;
    for (qsizetype i = 0; i < read.size(); ++i) {
        ChangeFile &change = read[i];
        const ChangeState state = change.state();
        if (state != ChangeState::Unsealed && state != ChangeState::Writing
            && state != ChangeState::Undoing && state != ChangeState::Redoing)
            continue;
        try {
            // Only the newest change can have been cut off while it wrote; an undo or a redo is
            // cut off with only undone (or rolled back) changes after it.
            const bool newest = change.path() == m_folder + u'/' + names.last();
            const bool undoneAfter = std::all_of(read.begin() + i + 1, read.end(), [](auto &c) {
                return c.state() == ChangeState::Undone || c.state() == ChangeState::RolledBack;
            });
            const bool stepping = state == ChangeState::Undoing || state == ChangeState::Redoing;
            if (stepping ? !undoneAfter : !newest)
                change.damaged(Messages::historyOutOfOrder());
            said << finish(change, gob);
        } catch (const Failure &failure) {
            // Only a damaged journal is set aside; a GOB file that cannot be written stops here.
            if (failure.number() != FailureNumber::DamagedHistory)
                throw;
            said << setAside(change.path(), failure.description());
        }
    }
    return said;
}

QString GobHistory::finish(ChangeFile &change, std::unique_ptr<GobWriter> &gob)
{
    const ChangeState state = change.state();
    const QString gobShown = FileAccess::displayPath(m_gobPath);
    if (state == ChangeState::Unsealed) {
        // The GOB file was never written: it must hold every old byte kept so far.
        auto reading = FileAccess::openForReading(m_gobPath);
        if (!change.isPutBack(*reading))
            change.damaged(Messages::historyNotPutBack());
    } else {
        change.verify();
        if (!gob)
            gob = std::unique_ptr<GobWriter>(new GobWriter(m_gobPath));
        if (!sameGob(change, gob->stamp()))
            change.damaged(Messages::gobReplaced(gobShown, change.shown()));
        // A GOB file too short for the change's regions is another file now.
        if (!change.header().regions.isEmpty()
            && change.header().regions.last().end() > gob->size())
            throw Failure(FailureNumber::DamagedHistory,
                          Messages::historyOutsideGob(FileAccess::displayPath(change.path())));
        if (state == ChangeState::Redoing) {
            writeForward(change, *gob);
            return Messages::redoInterrupted(gobShown, shown(change));
        }
        change.writeBack(*gob);
        gob->commit();
        if (!change.isPutBack(gob->file()))
            throw Failure(FailureNumber::FileAccess, Messages::gobNotPutBack(gobShown));
    }
    change.settle(state == ChangeState::Undoing ? ChangeState::Undone : ChangeState::RolledBack);
    return state == ChangeState::Undoing ? Messages::undoInterrupted(gobShown, shown(change))
                                         : Messages::changeInterrupted(gobShown, shown(change));
}

QString GobHistory::setAside(const QString &path, const QString &damage)
{
    const QString aside = path + QStringLiteral(".damaged");
    QFile::remove(aside);
    QFile::rename(path, aside);
    return Messages::historySetAside(damage, FileAccess::displayPath(aside));
}

void GobHistory::lockRecovered(const QString &nothingDone)
{
    lock();
    const QStringList recovered = recover();
    if (!recovered.isEmpty())
        throw Failure(FailureNumber::FileAccess, recovered.join(u' ') + u' ' + nothingDone);
}

QList<ChangeFile> GobHistory::undo(std::optional<int> keep)
{
    lockRecovered(Messages::nothingUndone());
    const QList<ChangeFile> all = changes();
    QList<ChangeFile> targets; // newest first
    for (qsizetype i = all.size() - 1; i >= 0 && all[i].sequence() > keep.value_or(0); --i) {
        if (all[i].state() == ChangeState::Done) {
            targets.append(all[i]);
            if (!keep)
                break;
        }
    }
    // Nothing undoes past a change whose old bytes are not kept or not trusted.
    const qint64 bound = keep
        ? *keep
        : (targets.isEmpty() ? all.value(all.size() - 1).sequence() : targets.last().sequence());
    for (const ChangeFile &change : all)
        if (change.state() == ChangeState::Unrecorded && change.sequence() > bound)
            throw Failure(FailureNumber::FileAccess, Messages::undoBarrier(change.shown()));
    for (const QString &name : QDir(m_folder).entryList({QStringLiteral("*.damaged")}, QDir::Files))
        if (QFileInfo(name).baseName().toLongLong() > bound)
            throw Failure(
                FailureNumber::FileAccess,
                Messages::undoPastDamaged(FileAccess::displayPath(m_folder + u'/' + name)));
    if (targets.isEmpty())
        throw Failure(FailureNumber::FileAccess,
                      Messages::nothingToUndo(FileAccess::displayPath(m_gobPath)));
    // Every check before the first write.
    {
        auto reading = FileAccess::openForReading(m_gobPath);
        Overlay after(*reading);
        // The files replaced, as the undos before would leave them.
        QHash<QString, std::optional<QByteArray>> files;
        const FileIdentity::Stamp gob = FileIdentity::stampOf(*reading);
        for (ChangeFile &change : targets) {
            change.verify();
            if (!sameGob(change, gob))
                throw Failure(
                    FailureNumber::FileAccess,
                    Messages::gobReplaced(FileAccess::displayPath(m_gobPath), change.shown()));
            const QList<GobRegion> &regions = change.header().regions;
            for (qsizetype r = 0; r < regions.size(); ++r) {
                if (regions[r].end() > reading->size()
                    || after.hash(regions[r]) != change.hashes().value(r))
                    throw Failure(FailureNumber::FileAccess,
                                  Messages::undoRefused(FileAccess::displayPath(m_gobPath),
                                                        regions[r].start, regions[r].end(),
                                                        shown(change)));
            }
            for (qsizetype i = 0; i < change.header().files.size(); ++i) {
                const QString &path = change.header().files[i].path;
                if (!files.contains(path))
                    files.insert(path, ChangeFile::bytesOf(path));
                if (files.value(path) != change.fileBytes(i, true))
                    throw Failure(
                        FailureNumber::FileAccess,
                        Messages::undoFileRefused(FileAccess::displayPath(path), shown(change)));
                files.insert(path, change.fileBytes(i, false));
            }
            // What the change wrote, before its undo writes over it, for a redo.
            if (!change.canRedo())
                change.keepRedo(after);
            after.addLayer(change.path(), layerOf(change));
        }
    }

    GobWriter gob(m_gobPath);
    for (ChangeFile &change : targets) {
        change.markUndoing();
        try {
            change.writeBack(gob);
            gob.commit();
            if (!change.isPutBack(gob.file()))
                throw Failure(FailureNumber::FileAccess,
                              Messages::gobNotPutBack(FileAccess::displayPath(m_gobPath)));
        } catch (const Failure &) {
            // A failing disk: with the bytes the change wrote kept, they go back at once and the
            // change stands as before; else, or should that fail too, the next start finishes
            // the undo or the redo the journal names.
            if (change.canRedo()) {
                try {
                    change.markUndoTakenBack();
                    writeForward(change, gob);
                } catch (const Failure &) {
                }
            }
            throw;
        }
        change.settle(ChangeState::Undone);
    }
    return targets;
}

qsizetype GobHistory::redoIndex(const QList<ChangeFile> &changes)
{
    // The oldest of the undone changes at the end; a rolled back one never wrote, so a redo
    // passes it.
    qsizetype found = -1;
    for (qsizetype i = changes.size() - 1; i >= 0; --i) {
        if (changes[i].state() == ChangeState::Undone)
            found = i;
        else if (changes[i].state() != ChangeState::RolledBack)
            break;
    }
    return found;
}

ChangeFile GobHistory::redo()
{
    lockRecovered(Messages::nothingRedone());
    const QList<ChangeFile> all = changes();
    const qsizetype index = redoIndex(all);
    const QString gobShown = FileAccess::displayPath(m_gobPath);
    if (index < 0)
        throw Failure(FailureNumber::FileAccess, Messages::nothingToRedo(gobShown));
    ChangeFile change = all[index];
    if (!change.canRedo())
        throw Failure(FailureNumber::FileAccess, Messages::redoNotKept(change.shown()));
    // Every check before the first write: the GOB file must hold what the undo left.
    change.verify();
    {
        auto reading = FileAccess::openForReading(m_gobPath);
        if (!sameGob(change, FileIdentity::stampOf(*reading)))
            throw Failure(FailureNumber::FileAccess,
                          Messages::gobReplaced(gobShown, change.shown()));
        const Overlay now(*reading);
        Overlay undone(*reading);
        undone.addLayer(change.path(), layerOf(change));
        for (const GobRegion &region : change.header().regions)
            if (region.end() > reading->size() || !Overlay::same(now, undone, region))
                throw Failure(
                    FailureNumber::FileAccess,
                    Messages::redoRefused(gobShown, region.start, region.end(), shown(change)));
        for (qsizetype i = 0; i < change.header().files.size(); ++i) {
            const QString &path = change.header().files[i].path;
            if (ChangeFile::bytesOf(path) != change.fileBytes(i, false))
                throw Failure(
                    FailureNumber::FileAccess,
                    Messages::redoFileRefused(FileAccess::displayPath(path), shown(change)));
        }
    }
    GobWriter gob(m_gobPath);
    change.markRedoing();
    writeForward(change, gob);
    return change;
}

void GobHistory::writeForward(ChangeFile &change, GobWriter &gob)
{
    change.writeForward(gob);
    gob.commit();
    const Overlay written(gob.file());
    const QList<GobRegion> &regions = change.header().regions;
    for (qsizetype r = 0; r < regions.size(); ++r)
        if (written.hash(regions[r]) != change.hashes().value(r))
            throw Failure(FailureNumber::FileAccess,
                          Messages::gobNotRedone(FileAccess::displayPath(m_gobPath)));
    change.markRedone();
}

QList<ChangeFile> GobHistory::dropsFor(qint64 size, qint64 keep) const
{
    QList<ChangeFile> kept;
    QList<ChangeFile> drops;
    qint64 bytes = size;
    for (const ChangeFile &change : changes()) {
        if (change.sequence() == keep) {
            bytes += change.fileSize();
        } else if (change.state() == ChangeState::Undone) {
            drops.append(change);
        } else {
            kept.append(change);
            bytes += change.fileSize();
        }
    }
    for (qsizetype i = 0; i < kept.size() && bytes > limit(); ++i) {
        drops.append(kept[i]);
        bytes -= kept[i].fileSize();
    }
    return drops;
}

QString GobHistory::roomProblem(const ChangeHeader &header)
{
    const qint64 size = ChangeFile::sizeFor(header);
    if (size > limit())
        return Messages::changeLargerThanHistory(size, limit());
    if (!QDir().mkpath(m_folder))
        return Messages::historyNotWritten(Messages::fileFailure(QStringLiteral("create"),
                                                                 FileAccess::displayPath(m_folder),
                                                                 Messages::folderNotMade()));
    // Nothing is dropped before the change is done, so the disk must hold it beside them all.
    const qint64 available = bytesAvailable(m_folder);
    if (available >= 0 && available < size + SpareRoom)
        return Messages::noRoomForHistory(FileAccess::displayPath(m_folder), size, available);
    return QString();
}

void GobHistory::makeRoom(qint64 keep)
{
    for (const ChangeFile &drop : dropsFor(0, keep))
        QFile::remove(drop.path());
}
