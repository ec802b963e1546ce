#include "arguments.h"

#include "services/numberconversion.h"

#include <QCoreApplication>

Arguments::Arguments(QHash<QString, QString> values, QSet<QString> switches, QStringList plain)
    : m_values(std::move(values))
    , m_switches(std::move(switches))
    , m_plain(std::move(plain))
{
}

bool Arguments::has(const QString &name) const
{
    return m_switches.contains(name) || m_values.contains(name);
}

QString Arguments::value(const QString &name, const QString &fallback) const
{
    return m_values.value(name, fallback);
}

QString Arguments::required(const QString &name) const
{
    if (!m_values.contains(name))
        throw UsageError(
            QCoreApplication::translate("kestrix-cli", "The option --%1 is missing.").arg(name));
    return m_values.value(name);
}

qint32 Arguments::number(const QString &name, qint32 least, qint32 most) const
{
    return wholeNumber(required(name), QStringLiteral("The option --") + name, least, most);
}

qint32 Arguments::wholeNumber(const QString &text, const QString &what, qint32 least, qint32 most)
{
    if (const std::optional<qint64> value = Convert::wholeNumber(text, least, most))
        return qint32(*value);
    throw UsageError(QCoreApplication::translate(
                         "kestrix-cli", "%1 takes a whole number from %2 to %3, not \"%4\".")
                         .arg(what)
                         .arg(least)
                         .arg(most)
                         .arg(text));
}
