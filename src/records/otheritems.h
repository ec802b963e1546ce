#pragma once

#include <QList>
#include <QString>

// An item of the catalogue's second line, offered by the package window's "Add Other" menu:
// a caption, a 1-based position like a catalogue offset and a size in kilobytes.
struct OtherItem
{
    QString caption;
    QString positionText;
    QString kilobytesText;

    // The position as a whole number; throws the conversion's Failure for a bad text.
    qint32 position() const;
    // The size in bytes: kilobytes x 1024, halves to the even neighbour.
    qint32 sizeBytes() const;
};

// The complete caption-position-size triples of the catalogue's second line, in order; a
// trailing incomplete triple is not offered.
QList<OtherItem> parseOtherItems(const QString &line);
