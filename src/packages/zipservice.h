#pragma once

#include "packagedisplay.h"
#include "zipfailure.h"

#include <QString>
#include <QStringList>

// The zip service over libzip: writes an archive of files stored under their bare names, in the
// given order, deflated at level 9, with the program's archive comment.
namespace VBZipBas {

// The archive path as written: ".zip" appended when the file name has no extension.
QString archivePathFor(const QString &path);

// Writes the archive from the files; throws a ZipFailure with libzip's error number when it
// cannot. Messages ("  adding:
// install.data (deflated 61%)", errors) go to the log box, each on its own line; pending events run
// while the archive is written. An existing archive at the path is replaced only when the new one
// is complete and on the disk.
void zip(const QString &archivePath, const QStringList &files, PackageContext &context);

} // namespace VBZipBas
