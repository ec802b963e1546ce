#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// How the core reports a failure, in one way only:
//
// - A command that cannot do what it was asked throws a Failure where the problem is found, with
//   its number and a description naming the file and the reason. No function of the core
//   returns a result code, hands a reason back through an out-parameter, returns a "problem or
//   empty" text or an empty optional in its place. The handler that started the command (a
//   window's command, a verb of kestrix-cli) catches it and reports it, ends silently or goes
//   on; the session lets it through after it has announced what a write changed.
// - An empty answer stays where it is a normal answer and not a failure: a lookup that finds
//   nothing, a plan that lists refusals for the user to read, a reason the user is asked about
//   (a change the history cannot keep), a picture that cannot be drawn (the preview stays
//   blank, its numbers as they were). A failure that carries more than a number and a text is
//   a class derived from Failure (ZipFailure keeps the result number of the zip services).
// - A cancel (a file dialog closed, a question answered so that the command ends) is the
//   failure Cancelled, thrown like any other so that the command stops where it is; handlers
//   tell it by isCancel(), and ReportError shows nothing for it.

// Numbers of the failures that the program raises itself. The numbers stay as they are: tests
// and scripts compare them.
enum class FailureNumber : int {
    TooLong = 5, // a file too long for its area; the image library failing to start
    Overflow = 6,
    TypeMismatch = 13,
    FileNotFound = 53,
    FileAccess = 75,
    BitmapMismatch = 481,
    CatalogueMissing = 2000,
    BadCatalogue = 2001, // a catalogue line that cannot be used
    BadRecord = 2002, // a record whose header or position cannot be right
    Cancelled = 2004, // the user ended the command; nothing is reported
    DamagedHistory = 2005, // a change file of the history fails its checksums
};

// A failure of a command (above: how it is thrown and caught).
class Failure : public std::exception
{
public:
    Failure(FailureNumber number, QString description, QString source = QString());

    FailureNumber number() const { return m_number; }
    const QString &description() const { return m_description; }
    const QString &source() const { return m_source; }
    bool isCancel() const { return m_number == FailureNumber::Cancelled; }

    const char *what() const noexcept override { return m_what.constData(); }

    static Failure cancelled();

private:
    FailureNumber m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};
