#pragma once

#include "services/bitmaplayout.h"
#include "services/openfiles.h"

#include <QString>

#include <memory>
#include <optional>

// A 256-colour bitmap whose colour-table alpha is edited in place: every read and write goes
// straight to the file, at the entries its layout says the table holds and nowhere else. The
// file is held open while it is edited; when something has closed it (MainModule::
// CloseAllFiles), the next read or write opens it again and reads its layout afresh.
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

    // Opens the file for reading and writing. Throws a Failure naming the file when it cannot
    // be opened, with failure 481 and the text "Is not a 256 color bitmap" when its headers say
    // another bit count, or with the reader's refusal for a layout it does not take (the file
    // is closed again either way).
    explicit PaletteBitmap(const QString &path);
    ~PaletteBitmap();

    const QString &path() const { return m_path; }
    bool isOpen() const;
    void close();

    // The entries the colour table holds: the colours used, or 256.
    int entries() const { return m_layout.tableEntries; }

    // An index past the table is refused with a Failure.
    Entry entry(int index);
    // Writes the alpha of one entry, its fourth byte; nothing else changes. A table of
    // three-byte entries has no such byte and is refused.
    void setAlpha(int index, quint8 alpha);
    // Gives every entry of the table the same alpha.
    void setAllAlpha(quint8 alpha);
    // The palette index of pixel x of row y, rows taken bottom row first as the picture is
    // shown mirrored; nothing outside the picture.
    std::optional<quint8> pixelIndex(int x, int y);

private:
    TrackedFile &file();
    // Reads the layout of the open file and throws unless it is a readable 8-bit bitmap.
    void readLayout();
    void requireIndex(int index) const;
    void requireAlphaBytes() const;

    QString m_path;
    std::unique_ptr<TrackedFile> m_file;
    BitmapLayout m_layout;
};
