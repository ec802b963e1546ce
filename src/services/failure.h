#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// Numbers of the failures that the program raises itself.
namespace FailureNumber {
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int FileAccess = 75;
constexpr int TooLong = 5; // a file too long for its area; the image library failing to start
constexpr int BadCatalogue = 2001; // a catalogue line that cannot be used
constexpr int BadRecord = 2002; // a record whose header or position cannot be right
constexpr int BitmapMismatch = 481;
constexpr int CatalogueMissing = 2000;
constexpr int Cancelled = 2004; // a file dialog was cancelled; the error report shows nothing
constexpr int DamagedHistory = 2005; // a change file of the history fails its checksums
} // namespace FailureNumber

// A failure of a command: thrown where it is found, caught by the handler that started the
// command, which reports it, ends silently or goes on.
class Failure : public std::exception
{
public:
    Failure(int number, QString description, QString source = QString());

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const QString &source() const { return m_source; }
    bool isCancel() const { return m_number == FailureNumber::Cancelled; }

    const char *what() const noexcept override { return m_what.constData(); }

    static Failure cancelled();

private:
    int m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};
