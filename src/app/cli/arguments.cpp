#include "arguments.h"

#include "services/failure.h"
#include "services/numberconversion.h"

Arguments::Arguments(const QStringList &words, const QSet<QString> &flags)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        if (!word.startsWith(QStringLiteral("--")) || word.size() == 2) {
            m_plain << word;
            continue;
        }
        const QString name = word.mid(2);
        if (flags.contains(name)) {
            m_flags.insert(name);
        } else if (i + 1 < words.size()) {
            m_options.insert(name, words.at(++i));
        } else {
            throw Failure(FailureNumber::TypeMismatch,
                          QStringLiteral("The option --%1 needs a value.").arg(name));
        }
    }
}

bool Arguments::has(const QString &name) const
{
    return m_flags.contains(name) || m_options.contains(name);
}

QString Arguments::required(const QString &name) const
{
    if (!m_options.contains(name))
        throw Failure(FailureNumber::TypeMismatch,
                      QStringLiteral("The option --%1 is missing.").arg(name));
    return m_options.value(name);
}

QString Arguments::value(const QString &name, const QString &fallback) const
{
    return m_options.value(name, fallback);
}

int Arguments::number(const QString &name) const
{
    const QString text = required(name);
    try {
        return Convert::toInt32(text);
    } catch (const Failure &) {
        throw Failure(
            FailureNumber::TypeMismatch,
            QStringLiteral("The option --%1 needs a whole number, not \"%2\".").arg(name, text));
    }
}
