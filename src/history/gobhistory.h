#pragma once

#include "changefile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class GobWriter;
class QLockFile;

// The history of the changes made to one GOB file, kept in the application folder under
// history/ID/ (ID: the first 16 hex digits of the BLAKE2b-256 hash of the GOB file's canonical
// path), one change file each (changefile.h), never in the game folder. A change keeps for life
// the number its file has (the first is 1), however many older ones are dropped; the history
// holds at most limit() bytes, dropping the oldest changes to make room once a new change is
// done. An undone change can be redone until a new change drops the undone ones. Whoever changes
// the files of a history holds its lock, a lock on the GOB file itself that the system lets go when
// the process ends, so that two programs, whatever their environment, never write one GOB file's
// journal or recover a change another one is still making.
class GobHistory
{
public:
    explicit GobHistory(const QString &gobPath);
    ~GobHistory();

    GobHistory(const GobHistory &) = delete;
    GobHistory &operator=(const GobHistory &) = delete;

    const QString &gobPath() const { return m_gobPath; }
    const QString &folder() const { return m_folder; }

    // The most bytes the history of one GOB file keeps: the setting HistoryLimit (bytes), 1 GiB
    // unless it holds a number from 1 up.
    static qint64 limit();
    static void setLimit(qint64 bytes);

    // Takes the lock until the object goes; throws a Failure when another program holds it for
    // longer than two seconds.
    void lock();

    // The changes kept, oldest first; files whose HEAD cannot be read are left out.
    QList<ChangeFile> changes() const;
    // Bytes of the change files.
    qint64 size() const;
    // The limit, the bytes kept and how far back undo reaches: to the GOB file as it was before
    // the oldest done change.
    QString summary() const;

    // Finishes what a crash cut off, before anything else reads or writes the GOB file: the
    // newest change, when it may have been half written, gets its old bytes back and is rolled
    // back (only once the GOB file is seen to hold them), an undo or a redo that began is finished.
    // A change file that is damaged, unfinished with newer changes after it, or made for a GOB file
    // that has been replaced since, is renamed to *.damaged and none of it is written. Returns what
    // was done, one message each. Throws a Failure when the GOB file cannot be written or the lock
    // is held.
    QStringList recover();
    // Takes the lock and recovers; throws a Failure with what recovery did and nothingDone when
    // it had anything to do.
    void lockRecovered(const QString &nothingDone);

    // Undoes, newest first, every done change numbered after keep (0: all of them), or without
    // keep the newest done change. First every change's old bytes must pass their checksums,
    // the GOB file must be the one they were made to, every region must hold what its change
    // wrote (taking the undos before it into account), and no change made without undo or set
    // aside as damaged may lie between; else a Failure says why and nothing is written. Returns
    // the changes undone.
    QList<ChangeFile> undo(std::optional<int> keep = std::nullopt);

    // Writes again the bytes of the oldest of the undone changes at the end of the history, once
    // its kept bytes pass their checksums, the GOB file is the one they were made to and every
    // region holds what the undo left; else a Failure says why and nothing is written. Returns
    // the change redone.
    ChangeFile redo();
    // Where the change a redo writes again lies in changes (oldest first), or -1.
    static qsizetype redoIndex(const QList<ChangeFile> &changes);

    // Why a new change of header cannot be kept (larger than the limit, the folder cannot be
    // made, or no room on the disk), or the empty text.
    QString roomProblem(const ChangeHeader &header);
    // Drops the undone changes, then the oldest while the history passes the limit; never the
    // change numbered keep (the one just made).
    void makeRoom(qint64 keep);
    // The path of the next change file.
    QString nextChangePath() const;

private:
    // The changes to drop so that the history and size more bytes fit the limit, keeping the
    // change numbered keep.
    QList<ChangeFile> dropsFor(qint64 size, qint64 keep = 0) const;
    // Puts a change right after a crash; throws a DamagedHistory Failure when it cannot be.
    QString finish(ChangeFile &change, std::unique_ptr<GobWriter> &gob);
    // Writes the bytes change wrote again, checks them and marks it done.
    void writeForward(ChangeFile &change, GobWriter &gob);
    // Renames a damaged change file to *.damaged; the message saying so.
    static QString setAside(const QString &path, const QString &damage);

    QString m_gobPath;
    QString m_folder;
    int m_lock = -1; // the handle that holds the lock
    std::unique_ptr<QLockFile> m_lockFile; // where the system has no flock
};
