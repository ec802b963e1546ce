#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Text-to-number conversion used everywhere a number is read from text: surrounding blanks are
// ignored, a fraction is rounded to a whole number with halves going to the even neighbour, a
// text that is no number is failure 13 "Type mismatch", a value out of range failure 6 "Overflow".
namespace Convert {

// The value of a decimal number text (sign, digits, optional fraction and exponent).
double toNumber(QStringView text);

qint16 toInt16(QStringView text);
qint32 toInt32(QStringView text);
quint8 toByte(QStringView text);

// "True" and "False" in any letter case, or a number: 0 is false, any other number true.
bool toBoolean(const QString &text);

// A whole number as a user types it on a command line: decimal digits with an optional sign,
// no blanks, fraction or exponent. Nothing when the text is no such number or the number lies
// outside least..most, so that a value too large for any type is refused like any other.
std::optional<qint64> wholeNumber(const QString &text, qint64 least, qint64 most);

// Rounds to the nearest whole number, halves to the even neighbour; failure 6 outside 32 bits.
qint32 roundToInt32(double value);

// The text of a Boolean as the settings store keeps it.
QString booleanText(bool value);

} // namespace Convert
