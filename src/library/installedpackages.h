#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The packages applied to a GOB file that its history still keeps and that no undo or removal
// took out, oldest first.
namespace InstalledPackages {

struct Package
{
    qint64 number = 0; // the change's number in the history
    QString name; // the package's file name
    QDateTime time;
    int items = 0; // the regions it wrote (items that touch count as one)
    int holding = 0; // of those, how many still hold its bytes
};

// Throws a Failure when the GOB file cannot be read.
QList<Package> of(const QString &gobPath);

// Why older packages are missing from the list (the limit dropped their changes); empty when
// nothing was dropped.
QString droppedNote(const QString &gobPath);

} // namespace InstalledPackages
