#pragma once

#include "cli/arguments.h"

#include <QList>
#include <QString>

constexpr bool Required = true;

// One option of a verb: "--name VALUE", or a switch "--name" when valueName is empty.
struct Option
{
    QString name;
    QString valueName;
    QString description;
    bool required = false;
};

// --quiet of a verb that writes: no line naming what it wrote, no note of success.
inline Option quietOption()
{
    return {QStringLiteral("quiet"), QString(),
            QString::fromUtf8(QT_TRANSLATE_NOOP(
                "kestrix-cli", "Prints nothing on success (a refusal is still reported)."))};
}

// The plain words a verb takes besides its options, such as one DIR or any number of ITEMs.
struct PlainWords
{
    QString name; // as the usage line shows it: "DIR", "ITEM..."
    QString description;
    int least = 0;
    int most = 0; // -1 for no limit
};

// A verb of kestrix-cli: its name, one line on what it does, its options and plain words, and
// the routine that runs it. A Verb defined at namespace scope registers itself, so a new verb is
// one source file:
//
//     int runFoo(const Arguments &args) { ... return 0; }
//     const Verb fooVerb("foo", QT_TRANSLATE_NOOP("kestrix-cli", "Does foo to the GOB file."),
//                        {{"gob", "FILE", QT_TRANSLATE_NOOP("kestrix-cli", "The GOB file."),
//                          Required},
//                         {"yes", "", QT_TRANSLATE_NOOP("kestrix-cli", "Asks nothing.")}},
//                        runFoo);
//
// (The texts are marked for the translation template; the help translates them when it is
// shown, as they are made before any translation is loaded.)
//
// (Names of the routine and the object must differ from file to file: the program is built as
// one unit.)
//
// The routine returns the exit status: 0 on success, 1 on a refusal or failure after printing
// the message (a Failure thrown out of it is printed and gives 1).
class Verb
{
public:
    using Run = int (*)(const Arguments &args);

    Verb(QString name, QString summary, QList<Option> options, Run run, PlainWords words = {});
    Verb(const Verb &) = delete;
    Verb &operator=(const Verb &) = delete;

    // The registered verb of that name, or nullptr.
    static const Verb *find(const QString &name);
    // The text of kestrix-cli --help: the usage line of every verb.
    static QString overview();

    // Every registered verb, in name order.
    static QList<const Verb *> all();
    const QString &name() const { return m_name; }
    // "--help" and the verb's options, as the shell completes them.
    QStringList optionWords() const;

    // "kestrix-cli NAME --option VALUE [--optional VALUE] WORDS"
    QString usage() const;
    // The text of kestrix-cli NAME --help.
    QString help() const;

    // Parses the words after the verb's name and runs it: --help prints the help, anything the
    // verb does not take prints the message and the usage line and gives exit status 2. A verb
    // with --gob first finishes what a crash cut off in that GOB file's history.
    int run(const QStringList &words) const;

private:
    Arguments parse(const QStringList &words, bool &helpAsked) const;
    QString synopsis() const; // the usage line after the verb's name
    bool takesGob() const;

    QString m_name;
    QString m_summary;
    QList<Option> m_options;
    Run m_run;
    PlainWords m_words;
};
