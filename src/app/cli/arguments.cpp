#include "arguments.h"

#include "services/failure.h"
#include "services/numberconversion.h"

#include <cmath>

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
        throw UsageError(QStringLiteral("The option --%1 is missing.").arg(name));
    return m_values.value(name);
}

qint32 Arguments::number(const QString &name) const
{
    return wholeNumber(required(name), QStringLiteral("The option --") + name);
}

qint32 Arguments::wholeNumber(const QString &text, const QString &what)
{
    try {
        const double value = Convert::toNumber(text);
        if (value == std::floor(value))
            return Convert::roundToInt32(value);
    } catch (const Failure &) {
    }
    throw UsageError(QStringLiteral("%1 needs a whole number, not \"%2\".").arg(what, text));
}
