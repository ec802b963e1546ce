#pragma once

#include "cli/verb.h"
#include "records/catalogueentry.h"

// The record that --catalogue, --gob, --entry K (from 0) and --sub I (from 1) name.
struct RecordChoice
{
    CatalogueEntry entry;
    SubFile subFile;
    QString gobPath;
    QString name; // "entry/caption", as the history names it
    QString cataloguePath;

    // Throws a Failure with the window's message for a catalogue line that cannot be used,
    // or naming the option for an entry or sub file that does not exist.
    static RecordChoice from(const Arguments &args);
    // The four options that name the record.
    static QList<Option> options();

    // Extracts the record into scratch, as the window does into temp.bmp.
    void extractTo(const QString &scratch) const;

    // Throws a Failure naming both files when out is the GOB file or the catalogue.
    void refuseOutput(const QString &out) const;
};

// Reads and parses entry k of the catalogue file.
CatalogueEntry catalogueEntry(const QString &cataloguePath, int k);

// Throws a Failure naming the entry (as the user gave it) unless it has sub file sub (from 1).
void requireSubFile(const CatalogueEntry &entry, const QString &entryText, int sub);
