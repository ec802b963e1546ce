#pragma once

#include "cli/verb.h"

#include <QJsonArray>
#include <QStringList>
#include <QStringView>

#include <initializer_list>

// A whole number as decimal text held in place, for a field of RecordOutput::add: a listing
// of a long catalogue makes no string for each of its numbers.
class NumberField
{
public:
    explicit NumberField(qint64 value);
    operator QStringView() const { return QStringView(m_text + m_start, Size - m_start); }

private:
    static constexpr qsizetype Size = 20; // "-9223372036854775808"
    char16_t m_text[Size];
    qsizetype m_start = Size;
};

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

    // The fields are views: a row is written without a list of copies made for it.
    void add(std::initializer_list<QStringView> fields);
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
