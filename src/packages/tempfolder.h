#pragma once

#include <QString>

// The package window's temporary folder KX_Temp in the application folder, in which packages
// are built and unpacked, with the extraction folder KX_Temp/Import/ inside.
namespace TempFolder {

QString path(); // the application folder + "KX_Temp/"
QString extractionFolderOf(const QString &tempFolder); // tempFolder + "Import/"
// The backup data file: file.data directly in the temporary folder, beside the extraction folder.
QString backupDataPathOf(const QString &tempFolder);

// Creates the folder when it is missing and hides it (on systems with a hidden attribute);
// throws a Failure when it cannot be created.
void ensure(const QString &folder);

// Deletes every file directly in the folder, ignoring failures; sub folders stay.
void deleteFilesIn(const QString &folder);

// Closes every open file, then deletes the extraction folder and the temporary folder with their
// files, ignoring every failure.
void cleanUp(const QString &tempFolder);

} // namespace TempFolder
