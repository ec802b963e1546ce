// Fuzzes the parser of package items that other programs send to the package window, one
// command a line ("description|position|size"), and of the lines typed into it
// ("Offset,Size(bytes),Description"). The input is cut into lines as the command channel cuts
// them. An accepted item has a description that is not blank, a position from 112 up (a package
// offset from 0 up) and a size from 0 up, all as the fields say; a refused one is a Failure with
// a message that quotes what was sent.
#include "fuzzsupport.h"

#include "packages/packageitem.h"
#include "services/failure.h"

#include <QStringList>

#include <array>
#include <limits>
#include <optional>

namespace {

// A whole number field as the parser must read it when it is plain decimal digits with an
// optional sign and surrounding blanks; nothing for any other text.
std::optional<qint64> plainNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 12)
        return std::nullopt;
    qsizetype i = t.at(0) == u'-' || t.at(0) == u'+' ? 1 : 0;
    if (i == t.size())
        return std::nullopt;
    for (; i < t.size(); ++i)
        if (t.at(i) < u'0' || t.at(i) > u'9')
            return std::nullopt;
    return t.toLongLong();
}

void parse(const QString &text, QChar separator, const std::array<int, 3> &order)
{
    const QStringList fields = text.split(separator);
    try {
        const PackageItem item =
            separator == u'|' ? PackageItem::fromCommand(text) : PackageItem::fromTypedLine(text);
        REQUIRE(fields.size() >= 3);
        REQUIRE(item.description == fields.at(order[0]));
        REQUIRE(!item.description.trimmed().isEmpty());
        REQUIRE(item.offset >= 0 && item.size >= 0);
        REQUIRE(item.regionStart() == qint64(item.offset) + 111);
        REQUIRE(item.regionEnd() >= item.regionStart());
        if (const std::optional<qint64> p = plainNumber(fields.at(order[1])))
            REQUIRE(*p - 112 == item.offset);
        if (const std::optional<qint64> s = plainNumber(fields.at(order[2])))
            REQUIRE(*s == item.size);
    } catch (const Failure &f) {
        REQUIRE(f.number() == FailureNumber::TypeMismatch);
        REQUIRE(f.description().contains(text));
        if (fields.size() >= 3) {
            const std::optional<qint64> p = plainNumber(fields.at(order[1]));
            const std::optional<qint64> s = plainNumber(fields.at(order[2]));
            // Plain numbers in range with a description are never refused.
            REQUIRE(!(p && s && *p >= 112 && *p <= std::numeric_limits<qint32>::max() && *s >= 0
                      && *s <= std::numeric_limits<qint32>::max()
                      && !fields.at(order[0]).trimmed().isEmpty()));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = FuzzSupport::bytesOf(data, size);
    for (QByteArray line : input.split('\n')) {
        while (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QString text = QString::fromUtf8(line);
        parse(text, u'|', {0, 1, 2});
        parse(text, u',', {2, 0, 1});
    }
    return 0;
}
