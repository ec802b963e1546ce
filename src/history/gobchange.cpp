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

// The hashes of the regions as the GOB file holds them now. Reading and hashing them is most
// of what finishing a large change costs, so when there are several regions the later ones,
// about half the bytes, are hashed on a second thread through a handle of its own.
QList<QByteArray> writtenHashes(QFile &gob, const QList<GobRegion> &regions)
{
    qint64 total = 0;
    for (const GobRegion &region : regions)
        total += region.length;
    qsizetype split = 0;
    for (qint64 front = 0; split < regions.size() && front * 2 < total; ++split)
        front += regions[split].length;

    std::future<QList<QByteArray>> back;
    if (split < regions.size())
        back = std::async(std::launch::async, [&] {
            QFile own(gob.fileName());
            if (!own.open(QIODevice::ReadOnly))
                throw FileAccess::failureOf(own, QStringLiteral("open"));
            const Overlay written(own);
            QList<QByteArray> hashes;
            for (qsizetype i = split; i < regions.size(); ++i)
                hashes.append(written.hash(regions[i]));
            return hashes;
        });
    QList<QByteArray> hashes;
    const Overlay written(gob);
    for (qsizetype i = 0; i < split; ++i)
        hashes.append(written.hash(regions[i]));
    if (back.valid())
        hashes.append(back.get());
    return hashes;
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
    m_writer->commit();
    m_filesTouched = !m_targets.isEmpty();
    for (qsizetype i = 0; i < m_targets.size(); ++i)
        ChangeFile::putFile(m_targets[i], m_replacements[i].contents());
    if (m_journal && m_journal->state() != ChangeState::Unrecorded) {
        m_journal->markDone(writtenHashes(m_writer->file(), m_regions));
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
