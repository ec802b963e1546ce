#pragma once

#include "changekind.h"
#include "gobregion.h"

#include "services/fileidentity.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class GobWriter;
class Overlay;
class QFile;

// A file that a change replaces whole (a package's .tga in the game's bats folder); the change
// file keeps its old bytes, or that there was none, and its new bytes, or that it removed it.
struct ReplacedFile
{
    QString path;
    qint64 oldSize = -1; // -1: there was no such file
    qint64 newSize = 0; // -1: the change removes the file
};

// What a change puts in place of a file: the bytes of the file at path, else bytes; neither
// removes the file.
struct Replacement
{
    QString path;
    std::optional<QByteArray> bytes;

    qint64 size() const; // -1: no file
    // Throws a Failure when the file at path cannot be read.
    std::optional<QByteArray> contents() const;
};

// What a change to a GOB file is, told before its first write.
struct ChangeHeader
{
    QDateTime time;
    ChangeKind kind = ChangeKind::Other;
    QString description; // the record ("Kits/Home/File 1") or the package's file name
    QString gobPath;
    QList<GobRegion> regions; // as GobRegion::joined gives them
    FileIdentity::Stamp gob; // the GOB file the change was made to (zeros: not known)
    QList<ReplacedFile> files; // each a .tga (replaceable())

    qint64 bytes() const; // the bytes the change writes
};

// Where a change stands. The order of the records in its file (below) decides it.
enum class ChangeState {
    Unsealed, // its old bytes are not all on the disk: the GOB file was never touched
    Writing, // sealed but not done: the GOB file may be half written
    Done,
    Undoing, // an undo began and did not finish
    Undone,
    Redoing, // a redo began and did not finish
    RolledBack,
    Unrecorded, // made without undo: no old bytes kept, so no undo reaches past it
};

// "done", "undone", "rolled back", "unrecorded"; "unfinished" for a change recovery has not put
// back yet.
QString nameOf(ChangeState state);

// A piece of a change's old bytes: GOB bytes [start, start + length) lie in the change file at
// fileOffset.
struct OldBytes
{
    qint64 start = 0;
    qint64 length = 0;
    qint64 fileOffset = 0;
};

// The journal of one change to a GOB file: a change file, named by its sequence number
// (00000042.change) in the GOB file's history folder (gobhistory.h). Records are framed as
// journalrecord.h says; numbers are little-endian, a text is its UTF-8 length (32 bits) and bytes.
//
//   HEAD  version 3 (32 bits), time (64 bits, milliseconds since 1970 UTC), kind, description,
//         GOB path (texts), block size B (32 bits), region count R (32 bits), then R regions of
//         start and length (64 bits each), sorted and apart, then the GOB file's device, inode
//         and size (64 bits each) when the change began, then the count F of files replaced
//         (32 bits) and F times the file's path (text), old size (64 bits, -1: none) and new
//         size (64 bits, -1: removed). Version 2 ends before F, version 1 after the regions (its
//         GOB file is taken to be the one at the GOB path).
//   DATA  the old bytes of every region in turn, in pieces of B bytes (the last of a region
//         shorter): the piece's GOB position (64 bits), then its bytes.
//   FILE  for each file replaced in turn: its old bytes (none when there was no file), then its
//         new bytes (none when the change removes it), one record each. Where each DATA and FILE
//         record and the SEAL after them lie follows from HEAD alone.
//   SEAL  empty: every old byte is on the disk. Only now is the GOB file written.
//   DONE  R BLAKE2b-256 hashes of the regions as the change left them, on the disk after the GOB
//         file was: the change is done
//   REDO  after DONE, laid out as DATA: the bytes the change wrote, kept by an undo before it
//         writes, so that a redo can write them again
//   STAT  one byte: 'B' an undo began (after DONE, or after REDO); 'U' undone (after 'B' when
//         REDO is kept, else right after HEAD in place of the old bytes); 'A' a redo began
//         (after 'U'); 'D' redone (after 'A'), so that 'B' 'U' 'A' 'D' repeat after REDO;
//         'R' rolled back (right after HEAD); 'N' made without undo (right after HEAD, with no
//         old bytes ever)
//
// Without a valid SEAL the GOB file was never touched. The file may end in a record cut short
// (the last one written when the program was killed); a record that is whole in the file but
// fails its checksum is damage, and so are old bytes that fail theirs: nothing of a damaged
// change file is written into the GOB file.
class ChangeFile
{
public:
    static constexpr qint64 BlockSize = 65536;

    // Writes the change file at path, which must not exist: HEAD, the old bytes of every region
    // read from gob, then SEAL, each part put on the disk before the next. A failure leaves a
    // file without SEAL, which the caller removes.
    // The new bytes of each file of the header are those of its replacement.
    static ChangeFile create(const QString &path, const ChangeHeader &header, QFile &gob,
                             const QList<Replacement> &replacements = {});
    // Writes the change file of a change made without undo: HEAD and STAT 'N'.
    static ChangeFile createUnrecorded(const QString &path, const ChangeHeader &header);
    // The bytes of the change file of header, up to its DONE record.
    static qint64 sizeFor(const ChangeHeader &header);
    // Whether a change may replace the file at path: a .tga, named by its absolute path.
    static bool replaceable(const QString &path);
    // The whole file at path; nothing when there is none.
    static std::optional<QByteArray> bytesOf(const QString &path);
    // Makes the file at path hold bytes (safely), or removes it when there are none.
    static void putFile(const QString &path, const std::optional<QByteArray> &bytes);

    // Reads HEAD and the records that say where the change stands (never the old bytes). Throws
    // a Failure when the file cannot be read, or (FailureNumber::DamagedHistory) its HEAD or a
    // record after the old bytes is damaged.
    static ChangeFile read(const QString &path);

    const QString &path() const { return m_path; }
    qint64 sequence() const { return m_sequence; }
    const ChangeHeader &header() const { return m_header; }
    ChangeState state() const { return m_state; }
    // The hash of each region as the change left it; empty before DONE.
    const QList<QByteArray> &hashes() const { return m_hashes; }
    qint64 fileSize() const { return m_fileSize; }

    // The pieces of the old bytes, in the order of the regions (sealed changes only).
    QList<OldBytes> oldBytes() const;
    // Throws a Failure naming the file unless every DATA record is where HEAD puts it and
    // passes its checksum.
    void verify() const;
    // Writes the old bytes back through gob (verify() first), only the blocks that differ from
    // what the GOB file holds, so that a full disk still lets a sparse GOB file be put back.
    void writeBack(GobWriter &gob) const;
    // Whether gob holds the old bytes of every piece whose record the file holds whole.
    bool isPutBack(QFile &gob) const;
    // The bytes the change wrote, kept by its undo (after REDO records that pass
    // verify()), written again through gob.
    void writeForward(GobWriter &gob) const;
    // The bytes of file i of the header that the change wrote (written) or found there
    // before; nothing when there was no such file.
    std::optional<QByteArray> fileBytes(qsizetype i, bool written) const;
    // Whether an undo kept the bytes the change wrote, so that it can be redone.
    bool canRedo() const { return m_redoKept; }
    // "3 (bitmap, Kits/Home/File 1, 2026-12-07 18:00:00)"
    QString shown() const;
    // Throws the DamagedHistory Failure that names this change and says what is wrong.
    [[noreturn]] void damaged(const QString &what) const;

    // Appends DONE with the hashes of the regions as written.
    void markDone(const QList<QByteArray> &hashes);
    // Keeps the bytes the change wrote, read from gob, before an undo writes: false when they
    // cannot be kept (a full disk), and the undo goes on without them.
    bool keepRedo(const Overlay &gob);
    void markUndoing();
    // Undone or rolled back: the old bytes are dropped and the STAT record follows HEAD; an
    // undone change whose written bytes were kept keeps everything, to be redone.
    void settle(ChangeState state);
    void markRedoing();
    void markRedone();
    // An undo that failed part of the way is taken back: the change goes on as being redone,
    // undone and redoing in one write, so that a kill cannot leave it undone in between.
    void markUndoTakenBack();

    ChangeFile() = default;

private:
    ChangeFile(const QString &path, const ChangeHeader &header);
    void append(const QByteArray &record);
    qint64 dataEnd() const; // where SEAL lies; -1 past the end of the file
    // The pieces of the records of tag (DATA or REDO) from their first one.
    QList<OldBytes> piecesFrom(qint64 first) const;
    void verifyPieces(const char *tag, qint64 first) const;
    void writePieces(GobWriter &gob, qint64 first) const;
    void appendState(char how, ChangeState state);
    // Where the FILE record of file i lies (written: its new bytes), from HEAD alone.
    qint64 fileRecordAt(qsizetype i, bool written) const;
    // Puts every file replaced as the change found it or left it (written).
    void restoreFiles(bool written) const;

    QString m_path;
    qint64 m_sequence = 0;
    ChangeHeader m_header;
    qint64 m_blockSize = BlockSize;
    qint64 m_dataStart = 0; // the byte after HEAD
    qint64 m_end = 0; // the byte after the last valid record
    qint64 m_doneEnd = 0; // the byte after DONE: where REDO begins
    qint64 m_fileSize = 0;
    ChangeState m_state = ChangeState::Unsealed;
    QList<QByteArray> m_hashes;
    bool m_redoKept = false;
};
