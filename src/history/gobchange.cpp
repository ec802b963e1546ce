#include "gobchange.h"

#include "changefile.h"
#include "gobhistory.h"
#include "overlay.h"

#include "history/gobwriter.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"
#include "services/prompts.h"

#include <QDateTime>
#include <QFileInfo>

#include <future>

namespace {

// The hashes of the regions as the GOB file at path holds them, worked out on a thread of its
// own through a handle of its own (or, where no thread can be had, when asked for).
std::future<QList<QByteArray>> hashesLater(const QString &path, QList<GobRegion> regions)
{
    auto work = [path, regions = std::move(regions)] {
        QFile gob(path);
        if (!gob.open(QIODevice::ReadOnly))
            throw FileAccess::failureOf(gob, QStringLiteral("open"));
        const Overlay written(gob);
        QList<QByteArray> hashes;
        for (const GobRegion &region : regions)
            hashes.append(written.hash(region));
        return hashes;
    };
    try {
        return std::async(std::launch::async, std::move(work));
    } catch (const std::system_error &) {
        return std::async(std::launch::deferred, std::move(work));
    }
}

} // namespace

GobChange::GobChange(const QString &gobPath, ChangeKind kind, const QString &description)
    : m_gobPath(gobPath)
    , m_kind(kind)
    , m_description(description)
{
}

GobChange::~GobChange()
{
    if (!m_journal || m_committed)
        return;
    try {
        if (m_journal->state() == ChangeState::Unrecorded) {
            if (!m_writer->hasWritten() && !m_filesTouched)
                QFile::remove(m_journal->path());
            return;
        }
        if (m_writer->hasWritten() || m_filesTouched) {
            m_journal->verify();
            m_journal->writeBack(*m_writer);
            m_writer->commit();
            if (!m_journal->isPutBack(m_writer->file()))
                return; // the next start tries again
        }
        m_journal->settle(ChangeState::RolledBack);
    } catch (const Failure &) {
        // The change stays unfinished in the journal; the next start puts it back.
    }
}

void GobChange::addRegion(qint64 start, qint64 length)
{
    m_regions.append({start, length});
}

void GobChange::addFile(const QString &target, const QString &replacement)
{
    addFile(target, std::nullopt);
    m_replacements.last().path = replacement;
}

void GobChange::addFile(const QString &given, const std::optional<QByteArray> &bytes)
{
    const QString target = QFileInfo(given).absoluteFilePath();
    if (!ChangeFile::replaceable(target))
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("replace"),
                                            FileAccess::displayPath(target),
                                            Messages::onlyTgaReplaced()));
    m_targets << target;
    m_replacements.append({{}, bytes});
}

GobWriter &GobChange::begin(const WithoutUndo &withoutUndo)
{
    m_regions = GobRegion::joined(m_regions);
    m_history = std::make_unique<GobHistory>(m_gobPath);
    m_history->lockRecovered(Messages::nothingWrittenThisTime());

    m_writer = std::unique_ptr<GobWriter>(new GobWriter(m_gobPath));
    // A disk that cannot hold every region refuses before the first byte changes.
    for (const GobRegion &region : std::as_const(m_regions))
        m_writer->reserve(region.start, region.length);

    ChangeHeader header {QDateTime::currentDateTimeUtc(),
                         m_kind,
                         m_description,
                         m_gobPath,
                         m_regions,
                         m_writer->stamp(),
                         {}};
    for (qsizetype i = 0; i < m_targets.size(); ++i) {
        const QFileInfo target(m_targets[i]);
        header.files.append(
            {m_targets[i], target.exists() ? target.size() : -1, m_replacements[i].size()});
    }
    if (header.bytes() > 0 || !header.files.isEmpty()) {
        // Older changes are dropped only once this one is done (commit()): a refusal keeps them.
        QString problem = m_history->roomProblem(header);
        if (problem.isEmpty()) {
            const QString path = m_history->nextChangePath();
            try {
                m_journal = std::make_unique<ChangeFile>(
                    ChangeFile::create(path, header, m_writer->file(), m_replacements));
            } catch (const Failure &failure) {
                QFile::remove(path); // unsealed: the GOB file was not touched
                problem = Messages::historyNotWritten(failure.description());
            }
        }
        if (!problem.isEmpty()) {
            if (!withoutUndo)
                throw Failure(FailureNumber::FileAccess, problem);
            withoutUndo(problem);
            try {
                // A line in the history that no undo can pass.
                m_journal = std::make_unique<ChangeFile>(
                    ChangeFile::createUnrecorded(m_history->nextChangePath(), header));
            } catch (const Failure &) {
                // No room even for that: the change goes on without a trace, as asked.
            }
        }
    }
    m_writer->setAllowedRegions(m_regions);
    return *m_writer;
}

void GobChange::commit()
{
    // Reading back and hashing what was written is most of what finishing a large change costs:
    // it is done while the GOB file is put on the disk, on two threads with about half the bytes
    // each. The hashes are of the bytes the sync puts on the disk; they are journalled only once
    // it has.
    const bool recorded = m_journal && m_journal->state() != ChangeState::Unrecorded;
    std::future<QList<QByteArray>> front, back;
    if (recorded) {
        FileAccess::flush(m_writer->file());
        qint64 total = 0;
        for (const GobRegion &region : std::as_const(m_regions))
            total += region.length;
        qsizetype split = 0;
        for (qint64 bytes = 0; split < m_regions.size() && bytes * 2 < total; ++split)
            bytes += m_regions[split].length;
        const QString path = m_writer->file().fileName();
        front = hashesLater(path, m_regions.first(split));
        if (split < m_regions.size())
            back = hashesLater(path, m_regions.sliced(split));
    }
    m_writer->commit();
    m_filesTouched = !m_targets.isEmpty();
    for (qsizetype i = 0; i < m_targets.size(); ++i)
        ChangeFile::putFile(m_targets[i], m_replacements[i].contents());
    if (recorded) {
        QList<QByteArray> hashes = front.get();
        if (back.valid())
            hashes += back.get();
        m_journal->markDone(hashes);
    }
    m_committed = true;
    if (m_history) {
        try {
            m_history->makeRoom(m_journal ? m_journal->sequence() : 0);
        } catch (const Failure &) {
            // The change is done; old ones are dropped next time.
        }
    }
}

WithoutUndo GobChange::asking(Prompts &prompts, QWidget *owner)
{
    return [&prompts, owner](const QString &reason) {
        if (prompts.askYesNo(owner, Messages::askWithoutUndo(reason), Messages::defaultTitle(),
                             Answer::No)
            != Answer::Yes)
            throw Failure::cancelled();
    };
}
