#pragma once

#include "gobpatches.h"
#include "manifest.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A folder that an export wrote, back into the GOB file: every file whose bytes differ from what
// was exported is checked against its record as a single import would check it, and all that
// pass are written as one change.
namespace FolderImport {

struct Change
{
    ManifestLine line;
    QString path;
    QString outcome; // "exact", "record palette kept" or "quantized to N colours, mean error E"
    GobPatch patch;
    // Thumbnails of the record as it is and as it will be, as the main preview shows it
    // unturned, when asked for.
    QImage before, after;
};

struct Skipped
{
    QString name;
    QString reason;
};

struct Plan
{
    QString gobPath;
    QString folder;
    WithoutUndo withoutUndo; // what to do when the history cannot keep the change
    QList<Change> changes;
    QList<Skipped> refused; // lines and files that cannot be imported, with the reason
    QStringList unlisted; // files of the folder that the manifest does not name
    int unchanged = 0;

    QList<GobPatch> patches() const;
};

// Reads the folder's manifest (throws when it has none) and the catalogue, and checks every
// changed file; nothing is written. thumbnailSide > 0 asks for thumbnails of at most that side.
Plan check(const QString &cataloguePath, const QString &gobPath, const QString &folder,
           int thumbnailSide = 0);

// Writes every change as one change of the GOB file's history, of kind "folder", undone as one.
void write(const Plan &plan, const std::function<void()> &pendingEvents = {});

} // namespace FolderImport
