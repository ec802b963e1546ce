#include "verb.h"

#include "cli/consoleprompts.h"
#include "cli/inputfile.h"
#include "history/gobhistory.h"
#include "services/failure.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <map>

namespace {

std::map<QString, const Verb *> &registry()
{
    static std::map<QString, const Verb *> verbs;
    return verbs;
}

// A text of the help in the user's language: the verbs mark their texts for the template where
// they are defined, before any translation is loaded.
QString translated(const QString &source)
{
    return QCoreApplication::translate("kestrix-cli", source.toUtf8().constData());
}

QString optionText(const Option &option)
{
    const QString text = QStringLiteral("--") + option.name;
    return option.valueName.isEmpty() ? text : text + u' ' + option.valueName;
}

} // namespace

Verb::Verb(QString name, QString summary, QList<Option> options, Run run, PlainWords words)
    : m_name(std::move(name))
    , m_summary(std::move(summary))
    , m_options(std::move(options))
    , m_run(run)
    , m_words(std::move(words))
{
    registry()[m_name] = this;
}

const Verb *Verb::find(const QString &name)
{
    const auto found = registry().find(name);
    return found == registry().end() ? nullptr : found->second;
}

QList<const Verb *> Verb::all()
{
    QList<const Verb *> verbs;
    for (const auto &[name, verb] : registry())
        verbs << verb;
    return verbs;
}

QStringList Verb::optionWords() const
{
    QStringList words {QStringLiteral("--help")};
    for (const Option &option : m_options)
        words << QStringLiteral("--") + option.name;
    return words;
}

QString Verb::overview()
{
    QString text =
        QCoreApplication::translate("kestrix-cli", "usage: kestrix-cli VERB [options]") + u'\n';
    for (const auto &[name, verb] : registry())
        text += QStringLiteral("  ") + (name.leftJustified(7) + verb->synopsis()).trimmed() + u'\n';
    return text
        + QCoreApplication::translate("kestrix-cli",
                                      "Entries count from 0, sub files from 1. kestrix-cli VERB "
                                      "--help describes a verb; kestrix-cli --version gives the "
                                      "version.");
}

QString Verb::usage() const
{
    return QStringLiteral("kestrix-cli ") + m_name + synopsis();
}

QString Verb::synopsis() const
{
    QString text;
    for (const Option &option : m_options)
        text += option.required ? u' ' + optionText(option)
                                : QStringLiteral(" [") + optionText(option) + u']';
    if (!m_words.name.isEmpty())
        text += u' ' + (m_words.least > 0 ? m_words.name : u'[' + m_words.name + u']');
    return text;
}

QString Verb::help() const
{
    QList<std::pair<QString, QString>> rows;
    if (!m_words.name.isEmpty())
        rows.append({m_words.name, translated(m_words.description)});
    for (const Option &option : m_options)
        rows.append({optionText(option), translated(option.description)});
    rows.append({QStringLiteral("-h, --help"),
                 QCoreApplication::translate("kestrix-cli", "Shows this text.")});
    qsizetype width = 0;
    for (const auto &row : rows)
        width = std::max(width, row.first.size());
    QString text = QCoreApplication::translate("kestrix-cli", "usage: %1").arg(usage()) + u'\n'
        + translated(m_summary) + u'\n';
    for (const auto &[left, right] : rows)
        text += QStringLiteral("\n  ") + left.leftJustified(width + 2) + right;
    return text;
}

int Verb::run(const QStringList &words) const
{
    try {
        bool helpAsked = false;
        const Arguments args = parse(words, helpAsked);
        if (helpAsked) {
            ConsolePrompts::print(help());
            return 0;
        }
        ConsolePrompts::setQuiet(args.has(QStringLiteral("quiet")));
        if (takesGob() && args.has(QStringLiteral("gob"))) {
            requireInputFile(args.value(QStringLiteral("gob")));
            for (const QString &said : GobHistory(args.value(QStringLiteral("gob"))).recover())
                ConsolePrompts::printError(said);
        }
        return m_run(args);
    } catch (const UsageError &error) {
        ConsolePrompts::printError(QStringLiteral("kestrix-cli ") + m_name + QStringLiteral(": ")
                                   + error.message());
        ConsolePrompts::printError(
            QCoreApplication::translate("kestrix-cli", "usage: %1").arg(usage()));
        return 2;
    } catch (const Failure &failure) {
        ConsolePrompts::printError(failure.description());
        return 1;
    }
}

bool Verb::takesGob() const
{
    return std::any_of(m_options.begin(), m_options.end(),
                       [](const Option &option) { return option.name == QStringLiteral("gob"); });
}

namespace {

// A word with one dash that is the name of a long option, such as -catalogue: the parser would
// read it as the short options -c -a -t ..., so the user is pointed at what was meant.
void refuseOneDashWord(const QStringList &words, const QList<Option> &options)
{
    for (const QString &word : words) {
        if (word == QStringLiteral("--"))
            return;
        if (word.size() < 3 || word[0] != u'-' || word[1] == u'-')
            continue;
        const QString name = word.mid(1).section(u'=', 0, 0);
        if (name == QStringLiteral("help")
            || std::any_of(options.begin(), options.end(),
                           [&](const Option &option) { return option.name == name; }))
            throw UsageError(QCoreApplication::translate(
                                 "kestrix-cli", "Unknown option \"%1\"; did you mean --%2?")
                                 .arg(word, name));
    }
}

} // namespace

Arguments Verb::parse(const QStringList &words, bool &helpAsked) const
{
    refuseOneDashWord(words, m_options);
    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList {QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    for (const Option &option : m_options)
        parser.addOption(QCommandLineOption(option.name, option.description, option.valueName));
    if (!parser.parse(QStringList {QStringLiteral("kestrix-cli")} + words))
        throw UsageError(parser.errorText());
    helpAsked = parser.isSet(helpOption);
    if (helpAsked)
        return Arguments({}, {}, {});

    QHash<QString, QString> values;
    QSet<QString> switches;
    for (const Option &option : m_options) {
        if (!parser.isSet(option.name))
            continue;
        // A second value would silently replace the first: on a verb that writes, the wrong
        // file could be changed.
        if (parser.values(option.name).size() > 1 || parser.optionNames().count(option.name) > 1)
            throw UsageError(QCoreApplication::translate("kestrix-cli",
                                                         "The option --%1 is given more than once.")
                                 .arg(option.name));
        if (option.valueName.isEmpty())
            switches.insert(option.name);
        else
            values.insert(option.name, parser.value(option.name));
    }
    const QStringList plain = parser.positionalArguments();
    if (m_words.most >= 0 && plain.size() > m_words.most)
        throw UsageError(QCoreApplication::translate("kestrix-cli", "Unexpected word \"%1\".")
                             .arg(plain.at(m_words.most)));
    if (plain.size() < m_words.least)
        throw UsageError(
            QCoreApplication::translate("kestrix-cli", "%1 is missing.").arg(m_words.name));
    const Arguments args(values, switches, plain);
    for (const Option &option : m_options)
        if (option.required)
            args.required(option.name);
    return args;
}
