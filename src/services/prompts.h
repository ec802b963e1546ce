#pragma once

#include "messages.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// One entry of a file dialog's filter list; a pattern may hold several wildcards ("*.txt;*.doc").
struct FileFilter
{
    QString description;
    QString pattern;
};

enum class MessageIcon { None, Information, Question, Exclamation, Critical };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// A message box as the program asks for it.
struct Message
{
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    Answer defaultAnswer = Answer::Ok;
    QString title = Messages::defaultTitle();
    int helpTopic = 0; // non-zero: the box carries a Help button for this help page
    QStringList items = {}; // shown one a line in a scrolling list under the text
};

// Every dialog and message of the program goes through this interface, so that tests can
// answer them from a script and the command-line tool from the terminal.
class Prompts
{
public:
    virtual ~Prompts() = default;

    // The path of an existing file the user chose, or nothing when the dialog was cancelled.
    virtual std::optional<QString> openFile(QWidget *owner, const QString &title,
                                            const QList<FileFilter> &filters,
                                            const QString &startFolder) = 0;

    // The path the user chose or typed; the dialog asks before an existing file is replaced.
    virtual std::optional<QString> saveFile(QWidget *owner, const QString &title,
                                            const QList<FileFilter> &filters,
                                            const QString &startFolder) = 0;

    // An existing folder the user chose, or nothing when the dialog was cancelled.
    virtual std::optional<QString> chooseFolder(QWidget *owner, const QString &title,
                                                const QString &startFolder) = 0;

    virtual Answer message(QWidget *owner, const Message &message) = 0;

    // A one-line answer, or nothing when the user cancelled.
    virtual std::optional<QString> input(QWidget *owner, const QString &prompt,
                                         const QString &title, const QString &defaultText) = 0;

    // Shorthands for the common boxes, with the default title.
    void inform(QWidget *owner, const QString &text);
    void critical(QWidget *owner, const QString &text);
    Answer askYesNo(QWidget *owner, const QString &text, const QString &title,
                    Answer defaultAnswer);
};
