#include "recordoutput.h"

#include "cli/consoleprompts.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

NumberField::NumberField(qint64 value)
{
    // The magnitude unsigned, so that the least qint64 has one too.
    quint64 rest = value < 0 ? 0 - quint64(value) : quint64(value);
    do {
        m_text[--m_start] = char16_t(u'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0)
        m_text[--m_start] = u'-';
}

RecordOutput::RecordOutput(const Arguments &args, QStringList names, QStringList numbers)
    : m_names(std::move(names))
    , m_numbers(std::move(numbers))
{
    const QString format = args.value(QStringLiteral("format"), QStringLiteral("tsv"));
    if (format != QStringLiteral("tsv") && format != QStringLiteral("json"))
        throw UsageError(QCoreApplication::translate(
                             "kestrix-cli", "The option --format takes tsv or json, not \"%1\".")
                             .arg(format));
    m_json = format == QStringLiteral("json");
}

void RecordOutput::add(std::initializer_list<QStringView> fields)
{
    if (!m_json) {
        ConsolePrompts::printRecord(fields);
        return;
    }
    QJsonObject record;
    qsizetype i = 0;
    for (const QStringView field : fields) {
        if (i == m_names.size())
            break;
        if (m_numbers.contains(m_names[i]))
            record.insert(m_names[i], field.toLongLong());
        else
            record.insert(m_names[i], field.toString());
        ++i;
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
