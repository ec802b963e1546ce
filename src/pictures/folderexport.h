#pragma once

#include "manifest.h"

#include <QList>
#include <QString>

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
    bool cancelled = false;
};

// Exports the sub files of the entries (counting from 0; every entry when empty) into folder,
// which is made when missing. progress(done, total) runs before each sub file and once at the
// end; when it returns false the export stops and the manifest lists what was written so far.
// Throws when the catalogue or the GOB file cannot be read or a file cannot be written.
Result run(const QString &cataloguePath, const QString &gobPath, const QList<int> &entries,
           const QString &folder, const std::function<bool(int, int)> &progress = {});

} // namespace FolderExport
