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
#include <QLockFile>
#include <QStorageInfo>

namespace {

constexpr qint64 DefaultLimit = qint64(1) << 30;
constexpr qint64 SpareRoom = qint64(1) << 20; // left free on the disk beside a new change

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
    return Messages::changeNamed(h.kind, h.description, h.time);
}

} // namespace

GobHistory::GobHistory(const QString &gobPath)
    : m_gobPath(gobPath)
    , m_folder(MainModule::AppPath() + QStringLiteral("history/") + identityOf(gobPath))
{
}

GobHistory::~GobHistory() = default;

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
    if (m_lock)
        return;
    // In the temporary folder, so that a full disk under the history still lets it be taken.
    auto lock = std::make_unique<QLockFile>(QDir::tempPath() + QStringLiteral("/kestrix-")
                                            + hashOf(m_folder) + QStringLiteral(".lock"));
    lock->setStaleLockTime(0); // a long import holds it for as long as it takes
    if (!lock->tryLock(2000)) {
        if (lock->error() != QLockFile::LockFailedError)
            throw Failure(FailureNumber::FileAccess,
                          Messages::fileFailure(QStringLiteral("create"),
                                                FileAccess::displayPath(lock->fileName()),
                                                QStringLiteral("the lock file could not be made")));
        qint64 pid = 0;
        QString host, application;
        lock->getLockInfo(&pid, &host, &application);
        throw Failure(FailureNumber::FileAccess,
                      Messages::historyBusy(FileAccess::displayPath(m_gobPath), pid));
    }
    m_lock = std::move(lock);
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
    std::unique_ptr<GobWriter> gob;
    const QStringList names =
        QDir(m_folder).entryList({QStringLiteral("*.change")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QString path = m_folder + u'/' + name;
        try {
            ChangeFile change = ChangeFile::read(path);
            const ChangeState state = change.state();
            if (state != ChangeState::Unsealed && state != ChangeState::Writing
                && state != ChangeState::Undoing)
                continue;
            if (state != ChangeState::Unsealed) {
                change.verify();
                if (!gob)
                    gob = std::unique_ptr<GobWriter>(new GobWriter(m_gobPath));
                // A GOB file too short for the change's regions is another file now.
                if (!change.header().regions.isEmpty()
                    && change.header().regions.last().end() > gob->size())
                    throw Failure(FailureNumber::DamagedHistory,
                                  Messages::historyOutsideGob(FileAccess::displayPath(path)));
                change.writeBack(*gob);
                gob->commit();
            }
            change.settle(state == ChangeState::Undoing ? ChangeState::Undone
                                                        : ChangeState::RolledBack);
            const QString gobShown = FileAccess::displayPath(m_gobPath);
            said << (state == ChangeState::Undoing
                         ? Messages::undoInterrupted(gobShown, shown(change))
                         : Messages::changeInterrupted(gobShown, shown(change)));
        } catch (const Failure &failure) {
            // Only a damaged journal is set aside; a GOB file that cannot be written stops here.
            if (failure.number() != FailureNumber::DamagedHistory)
                throw;
            const QString aside = path + QStringLiteral(".damaged");
            QFile::rename(path, aside);
            said << Messages::historySetAside(failure.description(),
                                              FileAccess::displayPath(aside));
        }
    }
    return said;
}

QList<ChangeFile> GobHistory::undo(std::optional<int> keep)
{
    lock();
    const QStringList recovered = recover();
    if (!recovered.isEmpty())
        throw Failure(FailureNumber::FileAccess,
                      recovered.join(u' ') + u' ' + Messages::nothingUndone());
    const QList<ChangeFile> all = changes();
    QList<ChangeFile> targets; // newest first
    for (qsizetype i = all.size() - 1; i >= (keep ? *keep : 0); --i) {
        if (all[i].state() == ChangeState::Done) {
            targets.append(all[i]);
            if (!keep)
                break;
        }
    }
    if (targets.isEmpty())
        throw Failure(FailureNumber::FileAccess,
                      Messages::nothingToUndo(FileAccess::displayPath(m_gobPath)));

    // Every check before the first write.
    {
        auto reading = FileAccess::openForReading(m_gobPath);
        Overlay after(*reading);
        for (const ChangeFile &change : targets) {
            change.verify();
            const QList<GobRegion> &regions = change.header().regions;
            for (qsizetype r = 0; r < regions.size(); ++r) {
                if (regions[r].end() > reading->size()
                    || after.hash(regions[r]) != change.hashes().value(r))
                    throw Failure(FailureNumber::FileAccess,
                                  Messages::undoRefused(FileAccess::displayPath(m_gobPath),
                                                        regions[r].start, regions[r].end(),
                                                        shown(change)));
            }
            QList<Overlay::Piece> pieces;
            for (const OldBytes &old : change.oldBytes())
                pieces.append({old.start, old.length, old.fileOffset});
            after.addLayer(change.path(), pieces);
        }
    }

    GobWriter gob(m_gobPath);
    for (ChangeFile &change : targets) {
        change.markUndoing();
        change.writeBack(gob);
        gob.commit();
        change.settle(ChangeState::Undone);
    }
    return targets;
}

QList<ChangeFile> GobHistory::dropsFor(qint64 size) const
{
    QList<ChangeFile> kept;
    QList<ChangeFile> drops;
    qint64 bytes = 0;
    for (const ChangeFile &change : changes()) {
        if (change.state() == ChangeState::Undone) {
            drops.append(change);
        } else {
            kept.append(change);
            bytes += change.fileSize();
        }
    }
    for (qsizetype i = 0; i < kept.size() && size > 0 && bytes + size > limit(); ++i) {
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
        return Messages::historyNotWritten(
            Messages::fileFailure(QStringLiteral("create"), FileAccess::displayPath(m_folder),
                                  QStringLiteral("the folder could not be made")));
    qint64 freed = 0;
    for (const ChangeFile &drop : dropsFor(size))
        freed += drop.fileSize();
    const QStorageInfo disk(m_folder);
    if (disk.isValid() && disk.bytesAvailable() + freed < size + SpareRoom)
        return Messages::noRoomForHistory(FileAccess::displayPath(m_folder), size,
                                          disk.bytesAvailable());
    return QString();
}

void GobHistory::makeRoom(qint64 size)
{
    for (const ChangeFile &drop : dropsFor(size))
        QFile::remove(drop.path());
}
