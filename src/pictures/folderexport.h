#pragma once

#include "manifest.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Exporting whole entries or the whole catalogue into a folder: one file a sub file (named by
// ExportNames, made by RecordExport), then the manifest of what was written. A record that
// cannot be exported is listed with its reason and the others are written.
namespace FolderExport {

struct Refused
{
    QString what; // "Entry 3, sub file 2" or "Entry 3"
    QString reason;
};

struct Result
{
    QList<ManifestLine> written;
    QList<Refused> refused;
    QStringList kept; // edited files left as they are
    bool cancelled = false;
};

// The files of the folder's manifest whose bytes are no longer what it recorded: the user's
// edits since the export. None when the folder has no manifest of ours.
QStringList editedFiles(const QString &folder);

// Exports the sub files of the entries (counting from 0; every entry when empty) into folder,
// which is made when missing, writing no file named in keep. progress(done, total) runs before
// each sub file and once at the end; when it returns false the export stops. The manifest then
// written describes every file of the folder: the lines of the files written now, and the
// earlier manifest's lines of the others still there, also when the export stops or fails.
// Throws when the catalogue or the GOB file cannot be read or a file cannot be written.
Result run(const QString &cataloguePath, const QString &gobPath, const QList<int> &entries,
           const QString &folder, const std::function<bool(int, int)> &progress = {},
           const QStringList &keep = {});

} // namespace FolderExport
