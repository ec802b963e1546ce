#pragma once

#include "changetimeline.h"

#include "history/gobregion.h"
#include "packages/packagestatus.h"

#include <QList>
#include <QString>
#include <QStringList>

struct PackageContents;

// What applying an unpacked package would do to a GOB file, item by item, worked out without
// writing anything.
namespace PackageDryRun {

enum class State {
    New, // the package's bytes are not there yet and no change in the history wrote there
    Same, // the GOB file holds the package's bytes already: applying skips it
    Conflict, // a change that still stands (an applied package) wrote there
};

// "new", "same", "conflict".
QString nameOf(State state);

struct Item
{
    qint64 number = 0; // from 1
    QString description; // its line of Replaced Files.txt, quotes taken off
    GobRegion region;
    qint64 dataOffset = 0; // where its bytes lie in file.data
    State state = State::New;
    QString conflict; // the newest standing change that wrote there, as the history shows it
};

// Throws a Failure for a record outside the GOB file or a file.data too short for the records.
QList<Item> of(const PackageContents &contents, const QStringList &descriptions,
               const QString &gobPath);

// The items as install.data lists them, their states not yet worked out (all New).
QList<Item> listOf(const PackageContents &contents, const QStringList &descriptions);

// Works out the states of items one at a time, so that a window can ask only about the rows it
// shows. Throws as of() does.
class Judge
{
public:
    Judge(const PackageContents &contents, const QStringList &descriptions, const QString &gobPath);
    void settle(Item &item) const;

private:
    PackageStatus::InPlace m_inPlace;
    ChangeTimeline m_timeline;
};

// The item's place as a person reads it: its description, or its bytes when it has none.
QString placeOf(const Item &item);

} // namespace PackageDryRun
