#pragma once

#include "changefile.h"
#include "changekind.h"
#include "gobregion.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class GobHistory;
class GobWriter;
class Prompts;
class QWidget;

// Called when the history cannot keep a change (larger than its limit, or no room on the disk
// for the old bytes), with the reason: returning goes on without undo, throwing a Failure stops
// before anything is written. An empty one throws a Failure with the reason.
using WithoutUndo = std::function<void(const QString &reason)>;

// One change to a GOB file, made so that it can be undone and so that a crash leaves all of it
// or none: every write into a GOB file goes through one. A change of many regions (a package,
// a folder of pictures) is one change, undone as one.
//
//     GobChange change(gobPath, ChangeKind::Bitmap, QStringLiteral("Kits/Home/File 1"));
//     change.addRegion(start, length);            // every region it writes, before begin()
//     GobWriter &gob = change.begin(withoutUndo); // the old bytes are on the disk now
//     gob.write(start, bytes);                    // only inside the regions, in any order
//     change.commit();                            // on the disk, files replaced; done
//
// begin() takes the GOB file's history (a Failure when another program is changing it), puts
// back a change that a crash cut off (then throws a Failure saying so, and writes nothing),
// opens the GOB file for writing, checks that every region lies inside it and sets aside its
// disk blocks, then drops undone and old changes as the limit asks, journals the old bytes of
// every region and puts them on the disk. A GobChange destroyed without commit() (a failure
// thrown while writing) puts the old bytes back; should even that fail, the next start does.
class GobChange
{
public:
    GobChange(const QString &gobPath, ChangeKind kind, const QString &description);
    ~GobChange();

    GobChange(const GobChange &) = delete;
    GobChange &operator=(const GobChange &) = delete;

    void addRegion(qint64 start, qint64 length);
    // A file the change replaces whole with the bytes of replacement, once the GOB file is
    // written: a .tga (ChangeFile::replaceable), before begin().
    void addFile(const QString &target, const QString &replacement);
    // The same with the bytes given; none removes the file.
    void addFile(const QString &target, const std::optional<QByteArray> &bytes);
    GobWriter &begin(const WithoutUndo &withoutUndo = {});
    // Puts the GOB file on the disk, then records the hashes of what the regions now hold.
    void commit();

    // Asks the user whether to go on without undo; No throws the cancel failure.
    static WithoutUndo asking(Prompts &prompts, QWidget *owner);

private:
    QString m_gobPath;
    ChangeKind m_kind;
    QString m_description;
    QList<GobRegion> m_regions;
    QStringList m_targets;
    QList<Replacement> m_replacements;
    bool m_filesTouched = false; // commit() began to replace the files
    std::unique_ptr<GobHistory> m_history;
    std::unique_ptr<GobWriter> m_writer;
    std::unique_ptr<ChangeFile> m_journal; // none for a change made without undo
    bool m_committed = false;
};
