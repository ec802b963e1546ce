#pragma once

#include <QHash>
#include <QSet>
#include <QStringList>

#include <exception>
#include <limits>

// A command line that kestrix-cli does not understand: an unknown option, a stray word, a
// missing value or option, a number where none fits. The tool shows the verb's usage line
// and ends with exit status 2.
class UsageError : public std::exception
{
public:
    explicit UsageError(QString message)
        : m_message(std::move(message))
    {
    }
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return "usage error"; }

private:
    QString m_message;
};

// The parsed words of one verb: the values of its options, the switches given and the plain
// words, in order.
class Arguments
{
public:
    Arguments(QHash<QString, QString> values, QSet<QString> switches, QStringList plain);

    bool has(const QString &name) const;
    // The option's value, or the empty text when it was not given.
    QString value(const QString &name, const QString &fallback = QString()) const;
    // The option's value; throws a UsageError when the option is missing.
    QString required(const QString &name) const;
    // The required option as a whole number from least to most; throws a UsageError naming the
    // option and the range for anything else.
    qint32 number(const QString &name, qint32 least = 0,
                  qint32 most = std::numeric_limits<qint32>::max()) const;
    const QStringList &plain() const { return m_plain; }

    // A whole number from least to most typed on the command line; what names the value in the
    // UsageError for anything else ("The option --entry", "The width").
    static qint32 wholeNumber(const QString &text, const QString &what, qint32 least = 0,
                              qint32 most = std::numeric_limits<qint32>::max());

private:
    QHash<QString, QString> m_values;
    QSet<QString> m_switches;
    QStringList m_plain;
};
