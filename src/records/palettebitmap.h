#pragma once

#include "services/openfiles.h"

#include <QString>

#include <memory>
#include <optional>

// A 256-colour bitmap whose colour-table alpha is edited in place: every read and write goes
// straight to the file. The file is held open while it is edited; when something has closed
// it (MainModule::CloseAllFiles), the next read or write opens it again.
class PaletteBitmap
{
public:
    struct Entry
    {
        quint8 blue = 0;
        quint8 green = 0;
        quint8 red = 0;
        quint8 alpha = 0;
    };

    static constexpr qint64 BitCountOffset = 28;
    static constexpr qint64 ColourTableOffset = 54;
    static constexpr qint64 PixelOffset = 1078;
    static constexpr int Entries = 256;

    // Opens the file for reading and writing. Throws a Failure naming the file when it cannot
    // be opened, with the text "Is not a 256 color bitmap" when byte 28 is not 8 (the file is
    // closed again), or when it is shorter than the colour table.
    explicit PaletteBitmap(const QString &path);
    ~PaletteBitmap();

    const QString &path() const { return m_path; }
    bool isOpen() const;
    void close();

    Entry entry(int index);
    // Writes the alpha of one entry (byte 57 + 4 x index); nothing else changes.
    void setAlpha(int index, quint8 alpha);
    // Gives every entry the same alpha.
    void setAllAlpha(quint8 alpha);
    // The palette index stored at 1078 + rowBytes x y + x; nothing when that lies past the end.
    std::optional<quint8> pixelIndex(qint64 rowBytes, int x, int y);

    // True when byte 28 of the file is 8; false for a file that is too short or unreadable.
    static bool is256Colour(const QString &path);

private:
    TrackedFile &file();

    QString m_path;
    std::unique_ptr<TrackedFile> m_file;
};
