#pragma once

#include "packagedisplay.h"
#include "zipfailure.h"

#include <QString>

// The unzip service over libzip: extracts every entry of an archive into a folder.
namespace VBUnzBas {

// Result numbers of an extraction that fails (ZipFailure::result).
namespace UnzipResult {
constexpr int Ok = 0;
constexpr int BadArchive = 3; // not a zip file, or a damaged one
constexpr int ArchiveNotFound = 9;
constexpr int UnsafeName = 35; // an entry that would land outside the extraction folder
constexpr int WriteFailed = 50;
constexpr int TooLarge = 51; // the entries expand past the bound the caller gives
constexpr int Unsupported = 81; // a compression or encryption method libzip cannot read
constexpr int NoPassword = 82; // an encrypted entry without the right password
} // namespace UnzipResult

// Extracts every entry into folder, creating it and the folders stored in the archive, and
// replacing existing files without asking (each by a complete file only). Names are matched
// without regard to letter case: two entries that differ only in case land in one file, the
// later replacing the earlier. Before anything is written every name is checked: an absolute
// name, one with a drive or root prefix, one with a ".." part, or a link refuses the whole archive,
// and nothing is extracted. Problems go to the log box (each replacing its text); the password of
// an encrypted entry is asked with the prompt "Please Enter The Password!". Pending events run
// between blocks, and the progress goes by entries. With maxBytes from 0 up, an archive whose
// entries say they expand past it is refused before anything is written, and an entry that
// expands past what it says is refused as damaged. A refusal throws a ZipFailure with its
// UnzipResult.
void unzip(const QString &archivePath, const QString &folder, PackageContext &context,
           qint64 maxBytes = -1);

// Whether an entry name is safe to extract below a folder (see unzip).
bool isSafeEntryName(const QString &name);

// After one empty answer to the password prompt every later request is declined without
// asking, for the rest of the program's run; this forgets that answer.
void forgetDeclinedPassword();

} // namespace VBUnzBas
