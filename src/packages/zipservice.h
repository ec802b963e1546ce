#pragma once

#include "packagedisplay.h"

#include <QString>
#include <QStringList>

// The zip service over libzip: writes an archive of files stored under their bare names, in the
// given order, deflated at level 9, with the program's archive comment.
namespace VBZipBas {

// The archive path as written: ".zip" appended when the file name has no extension.
QString archivePathFor(const QString &path);

// Writes the archive from the files and returns 0 on success, otherwise libzip's error number,
// with the problem in reason when given. Messages ("  adding: install.data (deflated 61%)",
// errors) go to the log box, each on its own line; pending events run while the archive is
// written. An existing archive at the path is replaced only when the new one is complete and
// on the disk.
int zip(const QString &archivePath, const QStringList &files, PackageContext &context,
        QString *reason = nullptr);

} // namespace VBZipBas
