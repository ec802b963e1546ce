#pragma once

#include <QString>

#include <array>

class CatalogueEntry;

// One item of a package: a description and the data region of the GOB file it carries, the
// size bytes from 0-based byte offset + 111.
struct PackageItem
{
    // Positions count from 1 like catalogue offsets; a package stores position - 112.
    static constexpr qint64 PositionShift = 112;
    static constexpr qint64 RegionShift = 111;

    QString description;
    qint32 offset = 0; // package offset P
    qint32 size = 0; // size S in bytes

    qint64 regionStart() const { return qint64(offset) + RegionShift; }
    qint64 regionEnd() const { return regionStart() + size; }

    // An item from a description, a position and a size given as text (a typed line, a command
    // of another program, an other item). text is what the user or the program sent, for the
    // message. Throws a Failure saying what is wrong: an empty description, a position that is
    // no whole number from 112 up, a size that is no whole number from 0 up.
    static PackageItem fromFields(const QString &description, const QString &position,
                                  const QString &size, const QString &text);

    // "description|position|size", as another program sends it; further fields are ignored.
    static PackageItem fromCommand(const QString &command);

    // "Offset,Size(bytes),Description", as typed in the package window; further fields are
    // ignored.
    static PackageItem fromTypedLine(const QString &line);

    // Sub file i (from 1) of a catalogue entry: a whole-file record's whole area, or the pixels
    // and palette of an image record, whose header is read from the GOB file (a Failure when
    // it cannot be read or is no image). description is "entry/caption".
    static PackageItem fromSubFile(const CatalogueEntry &entry, int i, const QString &gobPath);

private:
    // Splits text at separator; order gives the fields of the description, the position and
    // the size.
    static PackageItem fromSplit(const QString &text, QChar separator,
                                 const std::array<int, 3> &order, const QString &layout);
};
