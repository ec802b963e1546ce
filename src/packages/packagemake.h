#pragma once

#include "packagedisplay.h"
#include "packageitem.h"

#include <QList>
#include <QStringList>

// Making a package: the data regions of the items copied out of the GOB file into the three
// package files, then zipped with an optional readme.
namespace PackageMake {

// Throws a Failure naming the first item (counting from 1) whose package offset or size is
// negative or whose data region reaches past the end of the GOB file. Reads nothing else.
void checkItems(const QString &gobPath, const QList<PackageItem> &items);

// Writes install.data, file.data and Replaced Files.txt into folder (created when missing),
// replacing any earlier content, and returns their paths in archive order. The regions are
// copied in 4096-byte blocks; before each item pending events run and the progress display
// shows (i + 1) / N x 100. The items must have passed checkItems.
QStringList writeFiles(const QString &gobPath, const QList<PackageItem> &items,
                       const QString &folder, PackageDisplay &display);

// Writes the archive from the package files and, when given, the readme: refuses (Failure) an
// archive path that is the GOB file, the catalogue or one of the files; the zip service throws
// its ZipFailure. An existing archive is replaced only by a complete one.
void writeArchive(const QString &archivePath, const QStringList &packageFiles,
                  const QString &readme, const QString &gobPath, PackageContext &context,
                  const QString &cataloguePath = QString());

} // namespace PackageMake
