#pragma once

#include "cli/verb.h"

#include <QJsonArray>
#include <QStringList>

// The records a verb prints on standard output: tab-separated lines (each field escaped as
// ConsolePrompts::printRecord does), or with --format json one JSON document at the end, an
// array holding one object a record with the same fields under their names. A field named in
// numbers is a JSON number, every other a string.
class RecordOutput
{
public:
    RecordOutput(const Arguments &args, QStringList names, QStringList numbers = {});
    RecordOutput(const RecordOutput &) = delete;
    RecordOutput &operator=(const RecordOutput &) = delete;

    void add(const QStringList &fields);
    // Prints the JSON document; tab-separated records are already out.
    void finish();

    // --format tsv|json, for the verbs that print records.
    static Option option();

private:
    QStringList m_names;
    QStringList m_numbers;
    bool m_json = false;
    QJsonArray m_records;
};
