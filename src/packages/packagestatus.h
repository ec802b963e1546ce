#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

struct PackageContents;

// Where an unpacked package stands in a GOB file, item by item, as far as the GOB file and its
// history tell.
namespace PackageStatus {

enum class State {
    Applied, // the GOB file holds the bytes the package leaves there
    Original, // it holds the bytes from before every change the history keeps
    Other,
};

struct Item
{
    qint64 number = 0; // from 1
    State state = State::Other;
    QString description; // the item's line of Replaced Files.txt
};

// "applied", "original", "other".
QString nameOf(State state);

// The state of every complete record of the package. What the package leaves counts a later
// record over an earlier one; the bytes from before every change are the GOB file's with the old
// bytes of every done change laid over them, newest first, so that the oldest change's count.
// Throws a Failure for a record outside the GOB file, a file.data too short for the records, or
// a change whose old bytes fail their checksums.
QList<Item> of(const PackageContents &contents, const QStringList &descriptions,
               const QString &gobPath);

// For every complete record of the package, whether the GOB file holds what the package leaves
// in its region already (the "applied" of of(), without reading the history).
QList<bool> inPlace(const PackageContents &contents, const QStringList &descriptions,
                    const QString &gobPath);

// The same, record by record (k from 0), for a caller that asks only about some: the records are
// read once, their bytes only when asked. Throws as of() does for the records.
class InPlace
{
public:
    InPlace(const PackageContents &contents, const QStringList &descriptions,
            const QString &gobPath);
    ~InPlace();
    qsizetype size() const;
    bool at(qsizetype k) const;

private:
    struct Files;
    std::unique_ptr<Files> m_files;
};

// What the replace question adds to its list: that the package is applied already, and the
// done changes of the history whose regions the package overwrites; empty when neither.
QString replaceNote(const PackageContents &contents, const QStringList &descriptions,
                    const QString &gobPath);

} // namespace PackageStatus
