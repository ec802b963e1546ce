#include "numberconversion.h"

#include "failure.h"
#include "messages.h"

#include <cmath>
#include <limits>

namespace Convert {

namespace {

Failure typeMismatch()
{
    return Failure(FailureNumber::TypeMismatch, Messages::typeMismatch());
}

Failure overflow()
{
    return Failure(FailureNumber::Overflow, Messages::overflow());
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Accepts [sign] digits [. digits] [e|E [sign] digits], with at least one digit in the mantissa.
bool isNumberText(QStringView s)
{
    int i = 0;
    const int n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    int mantissaDigits = 0;
    while (i < n && isDigit(s[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-'))
            ++i;
        int exponentDigits = 0;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

template<typename T>
T roundToRange(double value)
{
    const double rounded = roundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < double(std::numeric_limits<T>::min())
        || rounded > double(std::numeric_limits<T>::max()))
        throw overflow();
    return static_cast<T>(rounded);
}

// Digits alone, as nearly every number in a catalogue is, read without the general parser; up
// to 15 digits the value is exact either way.
std::optional<double> plainDigits(QStringView s)
{
    if (s.isEmpty() || s.size() > 15)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : s) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return double(value);
}

} // namespace

double toNumber(QStringView text)
{
    if (const std::optional<double> plain = plainDigits(text))
        return *plain;
    const QStringView trimmed = text.trimmed();
    if (!isNumberText(trimmed))
        throw typeMismatch();
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw overflow();
    return value;
}

qint16 toInt16(QStringView text)
{
    return roundToRange<qint16>(toNumber(text));
}

qint32 toInt32(QStringView text)
{
    return roundToRange<qint32>(toNumber(text));
}

quint8 toByte(QStringView text)
{
    return roundToRange<quint8>(toNumber(text));
}

std::optional<qint64> wholeNumber(const QString &text, qint64 least, qint64 most)
{
    const qsizetype digitsFrom = text.startsWith(u'+') || text.startsWith(u'-') ? 1 : 0;
    if (text.size() == digitsFrom)
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < text.size(); ++i)
        if (!isDigit(text[i]))
            return std::nullopt;
    bool ok = false; // false also for a number beyond 64 bits
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < least || value > most)
        return std::nullopt;
    return value;
}

qint32 roundToInt32(double value)
{
    return roundToRange<qint32>(value);
}

bool toBoolean(const QString &text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    return toNumber(trimmed) != 0;
}

QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace Convert
