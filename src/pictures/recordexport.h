#pragma once

#include "records/catalogueentry.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// What exporting a sub file writes: an image record as an indexed PNG with its palette's alpha,
// a whole-file record as the file it holds (its area without the trailing zero bytes, as Save As
// writes it).
namespace RecordExport {

struct Exported
{
    QByteArray bytes;
    QString kind; // "bitmap" or "file:TYPE", as kestrix-cli list names entries
    QString suffix; // "png", or the entry's type in lower case
};

// Throws the record's failures (outside the GOB file, an impossible size).
Exported exportOf(QFile &gob, const CatalogueEntry &entry, int subFile);

} // namespace RecordExport
