#include "changefile.h"

#include "journalrecord.h"

#include "history/gobwriter.h"
#include "history/overlay.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"
#include "services/outputfile.h"

#include <QDataStream>
#include <QFileInfo>
#include <QThread>
#include <QtEndian>

#include <limits>

namespace {

// Tests set this to stop after each piece of old bytes, so that a child process can be killed
// while it journals.
constexpr char JournalPauseVariable[] = "KESTRIX_TEST_JOURNAL_PAUSE_MS";
constexpr quint32 Version = 3;
constexpr quint32 SecondVersion = 2; // without the files replaced
constexpr quint32 FirstVersion = 1; // without the GOB file's identity either
constexpr qint64 StatBytes = 13; // a STAT record, whole
constexpr qint64 HashBytes = 32;
constexpr qint64 DataHead = 8; // the GOB position before a piece's bytes
// Bounds of what a readable HEAD may say, so that a damaged one cannot make the sums overflow.
constexpr qint64 MaxHeadPayload = qint64(64) << 20;
constexpr qint64 MaxRegionLength = qint64(1) << 40;
constexpr qint64 MaxRegionStart = qint64(1) << 50;
constexpr qint64 MinBlock = 4096;
constexpr qint64 MaxBlock = qint64(16) << 20;
constexpr quint32 MaxFiles = 4096;
constexpr qint64 MaxFileSize = qint64(1) << 30;

[[noreturn]] void damagedFile(const QString &path, const QString &what)
{
    throw Failure(FailureNumber::DamagedHistory,
                  Messages::historyFileDamaged(FileAccess::displayPath(path), what));
}

// Bytes of the GOB file at [start, start + length) read into a buffer.
QByteArray gobBytes(QFile &gob, qint64 start, qint64 length)
{
    return FileAccess::readAt(gob, start, length);
}

void writeText(QDataStream &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    out << quint32(utf8.size());
    out.writeRawData(utf8.constData(), int(utf8.size()));
}

bool readText(QDataStream &in, QString &text)
{
    quint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok || length > quint32(in.device()->bytesAvailable()))
        return false;
    QByteArray utf8(qsizetype(length), Qt::Uninitialized);
    in.readRawData(utf8.data(), int(length));
    text = QString::fromUtf8(utf8);
    return in.status() == QDataStream::Ok;
}

QByteArray headPayload(const ChangeHeader &header)
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << Version << qint64(header.time.toMSecsSinceEpoch());
    writeText(out, nameOf(header.kind));
    writeText(out, header.description);
    writeText(out, header.gobPath);
    out << quint32(ChangeFile::BlockSize) << quint32(header.regions.size());
    for (const GobRegion &region : header.regions)
        out << qint64(region.start) << qint64(region.length);
    out << quint64(header.gob.device) << quint64(header.gob.inode) << qint64(header.gob.size);
    out << quint32(header.files.size());
    for (const ReplacedFile &file : header.files) {
        writeText(out, file.path);
        out << qint64(file.oldSize) << qint64(file.newSize);
    }
    return payload;
}

// The header and block size a HEAD payload holds, or false when it is not one this program wrote.
bool parseHead(const QByteArray &payload, ChangeHeader &header, qint64 &blockSize)
{
    QDataStream in(payload);
    in.setByteOrder(QDataStream::LittleEndian);
    quint32 version = 0, block = 0, count = 0;
    qint64 ms = 0;
    QString kind;
    in >> version >> ms;
    if (in.status() != QDataStream::Ok || version < FirstVersion || version > Version
        || !readText(in, kind) || !readText(in, header.description)
        || !readText(in, header.gobPath))
        return false;
    header.kind = changeKindNamed(kind);
    in >> block >> count;
    if (in.status() != QDataStream::Ok || block < MinBlock || block > MaxBlock
        || count > quint32(in.device()->bytesAvailable() / 16))
        return false;
    qint64 previousEnd = 0;
    for (quint32 i = 0; i < count; ++i) {
        GobRegion region;
        in >> region.start >> region.length;
        if (region.start < previousEnd || region.start > MaxRegionStart || region.length < 1
            || region.length > MaxRegionLength)
            return false;
        previousEnd = region.end();
        header.regions.append(region);
    }
    if (version != FirstVersion)
        in >> header.gob.device >> header.gob.inode >> header.gob.size;
    quint32 files = 0;
    if (version > SecondVersion)
        in >> files;
    if (in.status() != QDataStream::Ok || files > MaxFiles)
        return false;
    for (quint32 i = 0; i < files; ++i) {
        ReplacedFile file;
        if (!readText(in, file.path))
            return false;
        in >> file.oldSize >> file.newSize;
        // Nothing but a .tga file is ever written from a change file.
        if (file.oldSize < -1 || file.oldSize > MaxFileSize || file.newSize < -1
            || file.newSize > MaxFileSize || !ChangeFile::replaceable(file.path))
            return false;
        header.files.append(file);
    }
    header.time = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    blockSize = block;
    return in.status() == QDataStream::Ok && in.atEnd();
}

// Calls visit(region, offset in it, length, record position) for every DATA record of the
// layout from dataStart; stops (returning -1) once a record would end past limit. Returns where
// SEAL lies.
template<typename Visit>
qint64 forEachPiece(const QList<GobRegion> &regions, qint64 blockSize, qint64 dataStart,
                    qint64 limit, Visit visit)
{
    qint64 at = dataStart;
    for (const GobRegion &region : regions) {
        for (qint64 done = 0; done < region.length; done += blockSize) {
            const qint64 n = qMin(blockSize, region.length - done);
            if (at + JournalRecord::FrameBytes + DataHead + n > limit)
                return -1;
            visit(region, done, n, at);
            at += JournalRecord::FrameBytes + DataHead + n;
        }
    }
    return at;
}

// A DATA or REDO record: the GOB position, then the n bytes that fill() puts in place.
template<typename Fill>
QByteArray pieceRecord(const char *tag, qint64 position, qint64 n, Fill fill)
{
    QByteArray record = JournalRecord::start(tag);
    char at[DataHead];
    qToLittleEndian<qint64>(position, at);
    record.append(at, DataHead);
    record.resize(record.size() + n);
    fill(record.data() + 8 + DataHead);
    JournalRecord::finish(record);
    return record;
}

// The bytes of the FILE records of a header.
qint64 filesBytes(const ChangeHeader &header)
{
    qint64 total = 0;
    for (const ReplacedFile &file : header.files)
        for (const qint64 size : {file.oldSize, file.newSize})
            total += size >= 0 ? JournalRecord::FrameBytes + size : 0;
    return total;
}

// The whole file at path, which must hold size bytes.
QByteArray wholeFile(const QString &path, qint64 size)
{
    auto file = FileAccess::openForReading(path);
    if (file->size() != size)
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("read"), FileAccess::displayPath(path),
                                            Messages::changedWhileRead()));
    return FileAccess::readAt(*file, 0, size);
}

qint64 sequenceOf(const QString &path)
{
    return QFileInfo(path).completeBaseName().toLongLong();
}

} // namespace

QString nameOf(ChangeState state)
{
    switch (state) {
    case ChangeState::Done:
        return QStringLiteral("done");
    case ChangeState::Undone:
        return QStringLiteral("undone");
    case ChangeState::RolledBack:
        return QStringLiteral("rolled back");
    case ChangeState::Unrecorded:
        return QStringLiteral("unrecorded");
    default:
        return QStringLiteral("unfinished");
    }
}

qint64 ChangeHeader::bytes() const
{
    qint64 total = 0;
    for (const GobRegion &region : regions)
        total += region.length;
    return total;
}

qint64 ChangeFile::sizeFor(const ChangeHeader &header)
{
    const qint64 head = JournalRecord::FrameBytes + headPayload(header).size();
    const qint64 seal = forEachPiece(header.regions, BlockSize, head,
                                     std::numeric_limits<qint64>::max(), [](auto...) {});
    return seal + filesBytes(header) + JournalRecord::FrameBytes * 2
        + HashBytes * header.regions.size();
}

bool ChangeFile::replaceable(const QString &path)
{
    const QFileInfo file(path);
    return file.isAbsolute()
        && file.fileName().endsWith(QStringLiteral(".tga"), Qt::CaseInsensitive);
}

std::optional<QByteArray> ChangeFile::bytesOf(const QString &path)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    auto file = FileAccess::openForReading(path);
    return FileAccess::readAt(*file, 0, file->size());
}

void ChangeFile::putFile(const QString &path, const std::optional<QByteArray> &bytes)
{
    if (bytes) {
        OutputFile::write(path, *bytes);
        return;
    }
    if (!FileAccess::removeIfExists(path))
        throw Failure(FailureNumber::FileAccess,
                      Messages::fileFailure(QStringLiteral("remove"), FileAccess::displayPath(path),
                                            Messages::fileNotRemoved()));
    FileAccess::syncFolder(QFileInfo(path).absolutePath());
}

qint64 Replacement::size() const
{
    if (path.isEmpty())
        return bytes ? bytes->size() : -1;
    return QFileInfo(path).size();
}

std::optional<QByteArray> Replacement::contents() const
{
    if (path.isEmpty())
        return bytes;
    auto file = FileAccess::openForReading(path);
    return FileAccess::readAt(*file, 0, file->size());
}

ChangeFile::ChangeFile(const QString &path, const ChangeHeader &header)
    : m_path(path)
    , m_sequence(sequenceOf(path))
    , m_header(header)
{
}

ChangeFile ChangeFile::create(const QString &path, const ChangeHeader &header, QFile &gob,
                              const QList<Replacement> &replacements)
{
    ChangeFile change(path, header);
    auto file = FileAccess::createNew(path);
    const QByteArray head = JournalRecord::make("HEAD", headPayload(header));
    FileAccess::writeAt(*file, 0, head);
    const int pause = qEnvironmentVariableIntValue(JournalPauseVariable);
    change.m_dataStart = head.size();
    qint64 sealAt = forEachPiece(
        header.regions, BlockSize, change.m_dataStart, std::numeric_limits<qint64>::max(),
        [&](const GobRegion &region, qint64 offset, qint64 n, qint64 at) {
            const qint64 start = region.start + offset;
            FileAccess::writeAt(*file, at, pieceRecord("DATA", start, n, [&](char *data) {
                FileAccess::readAt(gob, start, data, n);
            }));
            if (pause > 0) {
                FileAccess::flush(*file);
                QThread::msleep(ulong(pause));
            }
        });
    for (qsizetype i = 0; i < header.files.size(); ++i) {
        const ReplacedFile &replaced = header.files[i];
        QByteArray records;
        if (replaced.oldSize >= 0)
            records = JournalRecord::make("FILE", wholeFile(replaced.path, replaced.oldSize));
        const Replacement &replacement = replacements.at(i);
        if (!replacement.path.isEmpty())
            records += JournalRecord::make("FILE", wholeFile(replacement.path, replaced.newSize));
        else if (replacement.bytes)
            records += JournalRecord::make("FILE", *replacement.bytes);
        FileAccess::writeAt(*file, sealAt, records);
        sealAt += records.size();
    }
    FileAccess::syncToDisk(*file);
    FileAccess::syncFolder(QFileInfo(path).absolutePath());
    const QByteArray seal = JournalRecord::make("SEAL", {});
    FileAccess::writeAt(*file, sealAt, seal);
    FileAccess::syncToDisk(*file);
    change.m_end = change.m_fileSize = sealAt + seal.size();
    change.m_state = ChangeState::Writing;
    return change;
}

ChangeFile ChangeFile::createUnrecorded(const QString &path, const ChangeHeader &header)
{
    ChangeFile change(path, header);
    auto file = FileAccess::createNew(path);
    const QByteArray head = JournalRecord::make("HEAD", headPayload(header));
    const QByteArray stat = JournalRecord::make("STAT", "N");
    FileAccess::writeAt(*file, 0, head + stat);
    FileAccess::syncToDisk(*file);
    FileAccess::syncFolder(QFileInfo(path).absolutePath());
    change.m_dataStart = head.size();
    change.m_end = change.m_fileSize = head.size() + stat.size();
    change.m_state = ChangeState::Unrecorded;
    return change;
}

ChangeFile ChangeFile::read(const QString &path)
{
    ChangeFile change;
    change.m_path = path;
    change.m_sequence = sequenceOf(path);
    auto file = FileAccess::openForReading(path);
    change.m_fileSize = file->size();
    const auto head = JournalRecord::readAt(*file, 0, MaxHeadPayload);
    if (!head || head->tag != "HEAD"
        || !parseHead(head->payload, change.m_header, change.m_blockSize))
        damagedFile(path, Messages::historyHeadUnreadable());
    change.m_dataStart = change.m_end = head->end;

    const auto settled = JournalRecord::readAt(*file, head->end, 1);
    if (settled && settled->tag == "STAT" && settled->payload.size() == 1) {
        const char how = settled->payload[0];
        if (how == 'U' || how == 'R' || how == 'N') {
            change.m_state = how == 'U' ? ChangeState::Undone
                : how == 'R'            ? ChangeState::RolledBack
                                        : ChangeState::Unrecorded;
            change.m_end = settled->end;
            return change;
        }
    }
    // A settled file is HEAD and STAT alone; no piece of old bytes is as short as a STAT.
    if (change.m_fileSize == head->end + StatBytes)
        change.damaged(Messages::historyRecordDamaged());
    const qint64 sealAt = change.dataEnd();
    const auto seal = JournalRecord::readAt(*file, sealAt, 0);
    if (sealAt < 0)
        return change; // unsealed: the program stopped while it kept the old bytes
    if (!seal || seal->tag != "SEAL")
        change.damaged(Messages::historyRecordDamaged()); // whole, yet no SEAL
    change.m_state = ChangeState::Writing;
    change.m_end = seal->end;
    const qint64 hashesBytes = HashBytes * change.m_header.regions.size();
    const auto done = JournalRecord::readAt(*file, change.m_end, hashesBytes);
    bool redoCut = false; // REDO records that a kill cut off before the undo began
    if (done && done->tag == "DONE" && done->payload.size() == hashesBytes) {
        change.m_state = ChangeState::Done;
        for (qint64 i = 0; i < hashesBytes; i += HashBytes)
            change.m_hashes.append(done->payload.mid(i, HashBytes));
        change.m_end = change.m_doneEnd = done->end;
        const auto next = JournalRecord::readAt(*file, change.m_end, DataHead + change.m_blockSize);
        qint64 stateAt = change.m_end; // where the STAT records lie
        if (next && next->tag == "REDO") {
            stateAt = forEachPiece(change.m_header.regions, change.m_blockSize, change.m_doneEnd,
                                   change.m_fileSize, [](auto...) {});
            redoCut = true;
        }
        // Each STAT record moves the change one step: done, undoing, undone, redoing, done.
        while (stateAt >= 0) {
            const auto stat = JournalRecord::readAt(*file, stateAt, 1);
            const char step = change.m_state == ChangeState::Done ? 'B'
                : change.m_state == ChangeState::Undoing          ? 'U'
                : change.m_state == ChangeState::Undone           ? 'A'
                                                                  : 'D';
            if (!stat || stat->tag != "STAT" || stat->payload != QByteArray(1, step)
                || (step != 'B' && !redoCut))
                break;
            change.m_state = step == 'B' ? ChangeState::Undoing
                : step == 'U'            ? ChangeState::Undone
                : step == 'A'            ? ChangeState::Redoing
                                         : ChangeState::Done;
            change.m_end = stateAt = stat->end;
            change.m_redoKept = redoCut;
        }
        // REDO whole and a record after it, yet no undo began: damage, not a kill.
        redoCut = redoCut && !change.m_redoKept
            && (stateAt < 0 || change.m_fileSize - stateAt < StatBytes);
    }
    // The next record whole in the file but not read: not a record cut short by a kill.
    const qint64 next = change.m_state == ChangeState::Writing
        ? JournalRecord::FrameBytes + hashesBytes
        : StatBytes;
    if (!redoCut && change.m_fileSize - change.m_end >= next)
        change.damaged(Messages::historyRecordDamaged());
    return change;
}

qint64 ChangeFile::dataEnd() const
{
    const qint64 limit = m_fileSize - JournalRecord::FrameBytes;
    const qint64 pieces =
        forEachPiece(m_header.regions, m_blockSize, m_dataStart, limit, [](auto...) {});
    const qint64 seal = pieces + filesBytes(m_header);
    return pieces < 0 || seal > limit ? -1 : seal;
}

qint64 ChangeFile::fileRecordAt(qsizetype i, bool written) const
{
    qint64 at = forEachPiece(m_header.regions, m_blockSize, m_dataStart,
                             std::numeric_limits<qint64>::max(), [](auto...) {});
    const auto recordBytes = [](qint64 size) {
        return size >= 0 ? JournalRecord::FrameBytes + size : 0;
    };
    for (qsizetype j = 0; j <= i; ++j) {
        const ReplacedFile &file = m_header.files[j];
        if (j == i)
            return written ? at + recordBytes(file.oldSize) : at;
        at += recordBytes(file.oldSize) + recordBytes(file.newSize);
    }
    return at;
}

std::optional<QByteArray> ChangeFile::fileBytes(qsizetype i, bool written) const
{
    const ReplacedFile &file = m_header.files[i];
    const qint64 size = written ? file.newSize : file.oldSize;
    if (size < 0)
        return std::nullopt;
    auto journal = FileAccess::openForReading(m_path);
    const qint64 at = fileRecordAt(i, written);
    const auto record = JournalRecord::readAt(*journal, at, size);
    if (!record || record->tag != "FILE" || record->payload.size() != size)
        damaged(written ? Messages::historyNewBytesDamaged(at)
                        : Messages::historyOldBytesDamaged(at));
    return record->payload;
}

void ChangeFile::restoreFiles(bool written) const
{
    for (qsizetype i = 0; i < m_header.files.size(); ++i) {
        const QString &path = m_header.files[i].path;
        const std::optional<QByteArray> wanted = fileBytes(i, written);
        if (bytesOf(path) != wanted)
            putFile(path, wanted);
    }
}

QList<OldBytes> ChangeFile::oldBytes() const
{
    return piecesFrom(m_dataStart);
}

QList<OldBytes> ChangeFile::piecesFrom(qint64 first) const
{
    QList<OldBytes> pieces;
    forEachPiece(m_header.regions, m_blockSize, first, m_fileSize,
                 [&](const GobRegion &region, qint64 offset, qint64 n, qint64 at) {
                     pieces.append({region.start + offset, n, at + 8 + DataHead});
                 });
    return pieces;
}

void ChangeFile::verify() const
{
    verifyPieces("DATA", m_dataStart);
    for (qsizetype i = 0; i < m_header.files.size(); ++i) {
        fileBytes(i, false);
        fileBytes(i, true);
    }
    if (m_redoKept)
        verifyPieces("REDO", m_doneEnd);
}

void ChangeFile::verifyPieces(const char *tag, qint64 first) const
{
    auto file = FileAccess::openForReading(m_path);
    for (const OldBytes &piece : piecesFrom(first)) {
        const qint64 at = piece.fileOffset - 8 - DataHead;
        const auto record = JournalRecord::readAt(*file, at, DataHead + m_blockSize);
        if (!record || record->tag != tag || record->payload.size() != DataHead + piece.length
            || qFromLittleEndian<qint64>(record->payload.constData()) != piece.start)
            damaged(qstrcmp(tag, "REDO") == 0 ? Messages::historyNewBytesDamaged(at)
                                              : Messages::historyOldBytesDamaged(at));
    }
}

void ChangeFile::writeBack(GobWriter &gob) const
{
    writePieces(gob, m_dataStart);
    restoreFiles(false);
}

void ChangeFile::writeForward(GobWriter &gob) const
{
    writePieces(gob, m_doneEnd);
    restoreFiles(true);
}

void ChangeFile::writePieces(GobWriter &gob, qint64 first) const
{
    constexpr qint64 Page = 4096;
    auto file = FileAccess::openForReading(m_path);
    for (const OldBytes &piece : piecesFrom(first)) {
        const auto record =
            JournalRecord::readAt(*file, piece.fileOffset - 8 - DataHead, DataHead + m_blockSize);
        if (!record || record->payload.size() != DataHead + piece.length)
            damaged(Messages::historyOldBytesDamaged(piece.fileOffset));
        const QByteArray old = record->payload.mid(DataHead);
        const QByteArray now = gobBytes(gob.file(), piece.start, piece.length);
        // Page by page of the GOB file: a page the change never reached keeps its blocks as
        // they are (holes of a sparse file need no room on a full disk).
        for (qint64 at = 0; at < piece.length;) {
            const qint64 n = qMin(piece.length - at, Page - (piece.start + at) % Page);
            if (QByteArrayView(old).sliced(at, n) != QByteArrayView(now).sliced(at, n))
                gob.write(piece.start + at, old.sliced(at, n));
            at += n;
        }
    }
}

bool ChangeFile::isPutBack(QFile &gob) const
{
    auto file = FileAccess::openForReading(m_path);
    for (const OldBytes &piece : oldBytes()) {
        const auto record =
            JournalRecord::readAt(*file, piece.fileOffset - 8 - DataHead, DataHead + m_blockSize);
        if (!record || record->tag != "DATA" || record->payload.size() != DataHead + piece.length)
            continue; // cut short by a kill: the GOB file was never written
        if (piece.start + piece.length > gob.size()
            || QByteArrayView(record->payload).sliced(DataHead)
                != gobBytes(gob, piece.start, piece.length))
            return false;
    }
    // A file's old bytes cut short: the change never reached the files.
    for (qsizetype i = 0; i < m_header.files.size(); ++i) {
        const ReplacedFile &replaced = m_header.files[i];
        std::optional<QByteArray> old;
        if (replaced.oldSize >= 0) {
            const auto record =
                JournalRecord::readAt(*file, fileRecordAt(i, false), replaced.oldSize);
            if (!record || record->tag != "FILE" || record->payload.size() != replaced.oldSize)
                continue;
            old = record->payload;
        }
        if (bytesOf(replaced.path) != old)
            return false;
    }
    return true;
}

QString ChangeFile::shown() const
{
    return Messages::changeNumbered(int(m_sequence), nameOf(m_header.kind), m_header.description,
                                    m_header.time);
}

void ChangeFile::damaged(const QString &what) const
{
    throw Failure(FailureNumber::DamagedHistory,
                  Messages::historyChangeDamaged(FileAccess::displayPath(m_path), shown(), what));
}

void ChangeFile::append(const QByteArray &record)
{
    auto file = FileAccess::openForUpdate(m_path);
    FileAccess::truncate(*file, m_end); // a record cut short by a kill goes first
    FileAccess::writeAt(*file, m_end, record);
    FileAccess::syncToDisk(*file);
    m_end += record.size();
    m_fileSize = m_end;
}

void ChangeFile::markDone(const QList<QByteArray> &hashes)
{
    append(JournalRecord::make("DONE", hashes.join()));
    m_doneEnd = m_end;
    m_hashes = hashes;
    m_state = ChangeState::Done;
}

bool ChangeFile::keepRedo(const Overlay &gob)
{
    try {
        auto file = FileAccess::openForUpdate(m_path);
        FileAccess::truncate(*file, m_doneEnd); // REDO records a kill cut off go first
        const qint64 end = forEachPiece(
            m_header.regions, m_blockSize, m_doneEnd, std::numeric_limits<qint64>::max(),
            [&](const GobRegion &region, qint64 offset, qint64 n, qint64 at) {
                const qint64 start = region.start + offset;
                FileAccess::writeAt(*file, at, pieceRecord("REDO", start, n, [&](char *data) {
                    gob.read(start, data, n);
                }));
            });
        FileAccess::syncToDisk(*file);
        m_end = m_fileSize = end;
        m_redoKept = true;
    } catch (const Failure &) {
        // Without room for them the undo still goes on; only the redo is lost.
        auto file = FileAccess::openForUpdate(m_path);
        FileAccess::truncate(*file, m_doneEnd);
        m_end = m_fileSize = m_doneEnd;
        m_redoKept = false;
    }
    return m_redoKept;
}

void ChangeFile::appendState(char how, ChangeState state)
{
    append(JournalRecord::make("STAT", QByteArray(1, how)));
    m_state = state;
}

void ChangeFile::markUndoing()
{
    appendState('B', ChangeState::Undoing);
}

void ChangeFile::settle(ChangeState state)
{
    if (state == ChangeState::Undone && m_redoKept) {
        appendState('U', state);
        return;
    }
    m_end = m_dataStart;
    m_redoKept = false;
    m_hashes.clear();
    appendState(state == ChangeState::Undone ? 'U' : 'R', state);
}

void ChangeFile::markRedoing()
{
    appendState('A', ChangeState::Redoing);
}

void ChangeFile::markRedone()
{
    appendState('D', ChangeState::Done);
}

void ChangeFile::markUndoTakenBack()
{
    append(JournalRecord::make("STAT", "U") + JournalRecord::make("STAT", "A"));
    m_state = ChangeState::Redoing;
}
