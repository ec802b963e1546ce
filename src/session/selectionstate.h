#pragma once

#include "records/catalogueentry.h"

// The chosen catalogue entry and sub file. Together with the GOB path it names exactly one
// record of the GOB file.
struct SelectionState
{
    CatalogueEntry entry; // fields of the selected catalogue line
    bool hasEntry = false;
    bool wholeFile = false; // the selected entry is a whole-file entry
    int count = 0; // number of sub files
    int subFile = 0; // the chosen sub file, from 1; 0 before the first choice
    qint32 offset = 0; // catalogue offset of the chosen sub file
    qint32 areaSize = 0; // bytes of a whole-file area; kept while bitmap entries are chosen
    qint32 width = 0; // picture size as stored, before any turn of the preview
    qint32 height = 0;
};
