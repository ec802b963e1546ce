#include "changekind.h"

#include <iterator>

namespace {

constexpr const char *Names[] = {"bitmap",  "png",    "picture", "folder",
                                 "package", "remove", "change"};
static_assert(std::size(Names) == int(ChangeKind::Other) + 1);

} // namespace

QString nameOf(ChangeKind kind)
{
    return QString::fromLatin1(Names[int(kind)]);
}

ChangeKind changeKindNamed(const QString &name)
{
    for (int i = 0; i < int(ChangeKind::Other); ++i)
        if (name == QLatin1String(Names[i]))
            return ChangeKind(i);
    return ChangeKind::Other;
}

QString describe(ChangeKind kind, const QString &subject)
{
    return nameOf(kind) + u' ' + subject;
}
