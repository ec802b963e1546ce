#include "exportnames.h"

namespace {

constexpr qsizetype MaxStemBytes = 200;

// The text with each control character and each character Windows refuses in names as "_".
QString withoutUnsafeCharacters(const QString &text)
{
    QString safe;
    for (const QChar c : text)
        safe += c.unicode() < 0x20 || QStringLiteral("<>:\"/\\|?*").contains(c) ? QChar(u'_') : c;
    return safe;
}

QString safeStem(const QString &text)
{
    QString stem = withoutUnsafeCharacters(text).trimmed();
    while (stem.toUtf8().size() > MaxStemBytes)
        stem.chop(1);
    while (stem.endsWith(u'.') || stem.endsWith(u' '))
        stem.chop(1);
    // Never empty, and never a device name such as CON: it holds " - " at least.
    return stem.isEmpty() ? QStringLiteral("record") : stem;
}

} // namespace

ExportNames::ExportNames(const QStringList &reserved)
{
    for (const QString &name : reserved)
        m_taken.insert(name.toCaseFolded());
}

QString ExportNames::take(const QString &displayText, const QString &caption, const QString &suffix)
{
    const QString stem = safeStem(displayText + QStringLiteral(" - ") + caption);
    const QString ending = u'.' + withoutUnsafeCharacters(suffix);
    QString name = stem + ending;
    for (int n = 2; m_taken.contains(name.toCaseFolded()); ++n)
        name = stem + QStringLiteral(" (%1)").arg(n) + ending;
    m_taken.insert(name.toCaseFolded());
    return name;
}
