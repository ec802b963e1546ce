#pragma once

#include "replaceplan.h"
#include "selectionstate.h"

#include "history/changefile.h"
#include "history/gobchange.h"
#include "library/packageremoval.h"
#include "packages/packageimport.h"
#include "pictures/folderimport.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QFileSystemWatcher;

struct PackageContext;

// The open GOB file as one document: its path, the catalogue, the chosen record and the history
// of changes. Every command that changes the GOB file runs through here, so that the windows
// and what they show follow one state through the signals. No widgets: the windows are views.
//
// Commands throw a Failure; a record that cannot be read leaves nothing shown before the
// failure is thrown.
class GobSession : public QObject
{
    Q_OBJECT

public:
    explicit GobSession(QObject *parent = nullptr);
    ~GobSession() override;

    // The one form of a GOB path: absolute and clean, never trimmed (a name may end in a
    // space); blank means none.
    static QString canonicalPath(const QString &path);

    const QString &gobPath() const { return m_gobPath; }
    // A command of kestrix-cli runs on the path given, blank or not, as the engines always have.
    bool hasGobFile() const { return !m_gobPath.isEmpty() || m_oneShot; }
    // Takes another GOB file: nothing is shown until a record is chosen.
    void setGobPath(const QString &path);
    // Takes a GOB file for one command of kestrix-cli: the path as given, so that messages name
    // it as the user typed it, the catalogue given, the shown record extracted into
    // scratchFolder, and no watch on the history, since nothing stays on show.
    void openForCommand(const QString &gobPath, const QString &cataloguePath,
                        const QString &scratchFolder);
    // The catalogue given to openForCommand, else the application's.
    QString cataloguePath() const;

    // Finishes what a crash cut off in the history of the GOB file; one message each.
    QStringList recover();

    // The selection. An entry is chosen first, then one of its sub files, which is read into
    // temp.bmp and so shown.
    const SelectionState &selection() const { return m_selection; }
    void selectEntry(const CatalogueEntry &entry);
    void selectSubFile(int index);
    // Nothing chosen and nothing shown (a refused catalogue line).
    void clearSelection();
    // The same for one command of kestrix-cli, which shows nothing: an image record's header is
    // read and checked in the GOB file as its extraction would, and no copy is made; a
    // whole-file record is still extracted into the scratch folder, where its picture is read.
    void chooseSubFile(int index);
    // A record is shown (temp.bmp holds the chosen sub file), or chosen for one command.
    bool isShown() const { return m_shown; }

    // The history, oldest first, the newest change that can be undone and the undone change
    // that a redo writes again.
    QList<ChangeFile> changes() const;
    std::optional<ChangeFile> newestDone() const;
    std::optional<ChangeFile> nextRedo() const;
    QString historySummary() const;

    // The commands that change the GOB file. After each the history is announced and the
    // record shown is read again.
    ReplacePlan replacePlan(const QString &file) const;
    void replace(ReplacePlan plan, const WithoutUndo &withoutUndo,
                 const std::function<void()> &pendingEvents = {});
    FolderImport::Plan checkFolder(const QString &folder, int thumbnailSide = 0) const;
    void importFolder(FolderImport::Plan plan, const WithoutUndo &withoutUndo,
                      const std::function<void()> &pendingEvents = {});
    ImportOutcome importPackage(ImportRequest request, PackageContext &context);
    // Undoes the newest done change. Returns the changes undone.
    QList<ChangeFile> undo();
    // Undoes change number and every later one that is done (below 1: the newest done one).
    QList<ChangeFile> undoTo(int number);
    // Writes the oldest undone change again (nextRedo()) and returns it.
    std::optional<ChangeFile> redo();
    // Takes one applied package out (what: its number or name), whichever came after it.
    PackageRemoval::Outcome removePackage(const QString &what);

signals:
    void gobPathChanged();
    void selectionChanged();
    // A record came to be shown, was read again, or nothing is shown any more.
    void shownChanged();
    // The history changed: through this session or through another program.
    void historyChanged();

private:
    // After a write: the history announced and the record shown read again.
    void afterWrite();
    // Runs a command that may have written before it failed: afterWrite() either way.
    void writeThrough(const std::function<void()> &command);
    void reloadShown();
    // Selects sub file index; copy: an image record is extracted into the scratch bitmap.
    void readSubFile(int index, bool copy);
    void watchHistory();
    // The history folder changed: announced when the changes differ from those last seen.
    void historyTouched();
    QStringList historyState() const;
    void setShown(bool shown);

    QString m_gobPath;
    QString m_cataloguePath; // blank: the application's
    QString m_scratch; // blank: the application's temp.bmp
    bool m_oneShot = false; // opened for one command: no watch, nothing read again
    SelectionState m_selection;
    bool m_shown = false;
    QStringList m_seen; // the changes last announced, with their states
    bool m_writing = false; // a command of this session is writing
    // Made for the first watch: a command of kestrix-cli watches nothing.
    std::unique_ptr<QFileSystemWatcher> m_watcher;
};
