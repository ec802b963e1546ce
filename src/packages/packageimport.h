#pragma once

#include "packagedisplay.h"

#include "history/gobchange.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

// The three package files of an unpacked package, found without regard to letter case.
struct PackageContents
{
    QString installData;
    QString fileData;
    QString replacedFiles;

    // Nothing when one of the three is missing from the folder.
    static std::optional<PackageContents> locate(const QString &folder);
};

struct ImportRequest
{
    QString packagePath;
    QString gobPath;
    QString tempFolder; // the package is unpacked into its Import/ folder
    bool backup = false;
    QString batsFolder; // where the package's .tga files go; empty when there is none
    WithoutUndo withoutUndo; // what to do when the history cannot keep the import
    QSet<qint64> skip = {}; // numbers (from 1) of records left out, such as conflicting ones
    // Shown what the package would write once it passed the whole-package check, before the
    // replace question: false cancels; it may add records to leave out to skip.
    std::function<bool(const PackageContents &, QSet<qint64> &skip)> review = {};
};

struct ImportOutcome
{
    bool imported = false; // false: the zip file was no package, and that was shown
    int moveResult = 0; // the result of the .tga move (TgaMove)
    QString backupPath; // the backup package written, if any
};

// Importing a package into the GOB file.
namespace PackageImport {

// The backup package of a package, in the package's folder: its file name without ".zip" (any
// letter case), then "_backup.zip" (kit.zip gives kit_backup.zip); when that exists, the first
// free name of kit_backup-2.zip, kit_backup-3.zip, ..., so that no backup replaces another.
QString backupPathOf(const QString &packagePath);

// Unpacks the package into the extraction folder (emptied first) and finds its three files;
// for a zip file without them shows "Its not a KX Zip file", removes the folder and returns
// nothing. A package that cannot be unpacked throws a Failure. With a GOB file, a package whose
// entries expand past what its regions can hold (no more than the GOB file) and TextBound more,
// for its text and .tga files, is refused before anything is unpacked.
std::optional<PackageContents> unpack(const QString &packagePath, const QString &extraction,
                                      PackageContext &context, const QString &gobPath = {});
constexpr qint64 TextBound = qint64(256) << 20;

// The whole-package check, before anything is written: every complete install record has a
// package offset and a size of at least 0 and a data region inside the GOB file, file.data
// holds at least the sum of the sizes, and the GOB file can be written. Throws a Failure naming
// the first record that fails (with its line of Replaced Files.txt).
void check(const PackageContents &contents, const QStringList &descriptions,
           const QString &gobPath);

// Copies the bytes that the import will overwrite into backupDataPath, puts it on the disk,
// then zips the backup package from the package's install.data, that file, the package's
// Replaced Files.txt and the files of the bats folder that the import replaces, and puts the
// archive on the disk. Throws a Failure saying that nothing was imported when any of it fails.
void writeBackup(const PackageContents &contents, const QString &gobPath,
                 const QString &backupDataPath, const QString &backupPath,
                 const QStringList &batsFiles, PackageContext &context);

// Writes every complete record's bytes from file.data into the GOB file in 4096-byte blocks
// (but those of request.skip),
// one record after the other, as one GobChange of kind "package" named after the package's file,
// and puts the GOB file on the disk, then replaces each file of tgaMoves (target, source) as
// part of the change. Before each record pending events run and the progress display shows
// k / C x 100.
void writeRecords(const PackageContents &contents, const ImportRequest &request,
                  PackageDisplay &display, const QList<std::pair<QString, QString>> &tgaMoves = {});

// The import from unpacking to the final message: unpack, "Its not a KX Zip file" for a zip
// without the three files, the whole-package check, the review (when given), the replace question
// listing the records and the bats folder's files that the .tga files replace, with what the
// history knows of the package's regions (No throws the cancel failure), the backup package, the
// GOB writes (records whose bytes the GOB file holds already are skipped) with the .tga files put
// in place, and "Imported Sucessfully" with the backup package's name. Failures are thrown; the GOB
// file is untouched by every refusal.
ImportOutcome run(const ImportRequest &request, PackageContext &context);

} // namespace PackageImport
