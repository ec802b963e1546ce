#include "palettebitmap.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <optional>

namespace {

void requireIndex(int index)
{
    if (index < 0 || index >= PaletteBitmap::Entries)
        throw Failure(FailureNumber::Overflow,
                      Messages::paletteIndexOutOfRange(QString::number(index)));
}

} // namespace

PaletteBitmap::PaletteBitmap(const QString &path)
    : m_path(path)
    , m_file(FileAccess::openForUpdate(path))
{
    char bits = 0;
    if (FileAccess::readUpTo(*m_file, BitCountOffset, &bits, 1) != 1 || bits != 8) {
        m_file->close();
        throw Failure(FailureNumber::BitmapMismatch,
                      Messages::notA256ColourBitmap(FileAccess::displayPath(path)));
    }
    if (m_file->size() < PixelOffset) {
        m_file->close();
        throw Failure(FailureNumber::BitmapMismatch,
                      Messages::paletteFileTooShort(FileAccess::displayPath(path), PixelOffset));
    }
}

PaletteBitmap::~PaletteBitmap() = default;

bool PaletteBitmap::isOpen() const
{
    return m_file && m_file->isOpen();
}

void PaletteBitmap::close()
{
    if (m_file)
        m_file->close();
}

TrackedFile &PaletteBitmap::file()
{
    if (!m_file->isOpen())
        m_file = FileAccess::openForUpdate(m_path); // throws the Failure naming the file
    return *m_file;
}

PaletteBitmap::Entry PaletteBitmap::entry(int index)
{
    requireIndex(index);
    char bytes[4];
    FileAccess::readAt(file(), ColourTableOffset + 4 * index, bytes, 4);
    return {quint8(bytes[0]), quint8(bytes[1]), quint8(bytes[2]), quint8(bytes[3])};
}

void PaletteBitmap::setAlpha(int index, quint8 alpha)
{
    requireIndex(index);
    const char byte = char(alpha);
    FileAccess::writeAt(file(), ColourTableOffset + 4 * index + 3, &byte, 1);
    FileAccess::flush(file());
}

void PaletteBitmap::setAllAlpha(quint8 alpha)
{
    for (int i = 0; i < Entries; ++i) {
        char bytes[4];
        FileAccess::readAt(file(), ColourTableOffset + 4 * i, bytes, 4);
        bytes[3] = char(alpha);
        FileAccess::writeAt(file(), ColourTableOffset + 4 * i, bytes, 4);
    }
    FileAccess::flush(file());
}

std::optional<quint8> PaletteBitmap::pixelIndex(qint64 rowBytes, int x, int y)
{
    if (x < 0 || y < 0 || x >= rowBytes)
        return std::nullopt;
    char byte = 0;
    if (FileAccess::readUpTo(file(), PixelOffset + rowBytes * y + x, &byte, 1) != 1)
        return std::nullopt;
    return quint8(byte);
}

bool PaletteBitmap::is256Colour(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(BitCountOffset))
        return false;
    char bits = 0;
    return f.read(&bits, 1) == 1 && bits == 8;
}
