#pragma once

#include <QSet>
#include <QString>

// File names for the records of an export: the entry's display text and the sub file's caption,
// made safe on Windows and Linux (no separators or other characters Windows refuses, no trailing
// dots or blanks, at most 200 bytes) and unique in the folder, also where letter case does not
// count.
class ExportNames
{
public:
    // Names that are taken already (the manifest's own).
    explicit ExportNames(const QStringList &reserved = {});

    // "Kits_Home - Shirt.png"; a second "Kits_Home - Shirt (2).png".
    QString take(const QString &displayText, const QString &caption, const QString &suffix);

private:
    QSet<QString> m_taken; // case-folded
};
