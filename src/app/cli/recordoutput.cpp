#include "recordoutput.h"

#include "cli/consoleprompts.h"

#include <QJsonDocument>
#include <QJsonObject>

RecordOutput::RecordOutput(const Arguments &args, QStringList names, QStringList numbers)
    : m_names(std::move(names))
    , m_numbers(std::move(numbers))
{
    const QString format = args.value(QStringLiteral("format"), QStringLiteral("tsv"));
    if (format != QStringLiteral("tsv") && format != QStringLiteral("json"))
        throw UsageError(
            QStringLiteral("The option --format takes tsv or json, not \"%1\".").arg(format));
    m_json = format == QStringLiteral("json");
}

void RecordOutput::add(const QStringList &fields)
{
    if (!m_json) {
        ConsolePrompts::printRecord(fields);
        return;
    }
    QJsonObject record;
    for (qsizetype i = 0; i < fields.size() && i < m_names.size(); ++i) {
        if (m_numbers.contains(m_names[i]))
            record.insert(m_names[i], fields[i].toLongLong());
        else
            record.insert(m_names[i], fields[i]);
    }
    m_records.append(record);
}

void RecordOutput::finish()
{
    if (m_json)
        ConsolePrompts::print(
            QString::fromUtf8(QJsonDocument(m_records).toJson(QJsonDocument::Indented)).trimmed());
}

Option RecordOutput::option()
{
    return {
        QStringLiteral("format"), QStringLiteral("tsv|json"),
        QString::fromUtf8(QT_TRANSLATE_NOOP(
            "kestrix-cli", "Prints tab-separated lines (tsv, the default) or one JSON document."))};
}
