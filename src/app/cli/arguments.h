#pragma once

#include <QHash>
#include <QSet>
#include <QStringList>

// The words of one verb of kestrix-cli: "--name value" options, "--flag" switches and plain
// values, in any order.
class Arguments
{
public:
    // flags names the options that take no value.
    Arguments(const QStringList &words, const QSet<QString> &flags);

    bool has(const QString &name) const;
    // The option's value; throws a Failure saying that the option is missing.
    QString required(const QString &name) const;
    QString value(const QString &name, const QString &fallback = QString()) const;
    // The option as a whole number; throws a Failure naming the option for a bad value.
    int number(const QString &name) const;
    const QStringList &plain() const { return m_plain; }

private:
    QHash<QString, QString> m_options;
    QSet<QString> m_flags;
    QStringList m_plain;
};
