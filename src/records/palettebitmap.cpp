#include "palettebitmap.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

PaletteBitmap::PaletteBitmap(const QString &path)
    : m_path(path)
    , m_file(FileAccess::openForUpdate(path))
{
    readLayout();
}

PaletteBitmap::~PaletteBitmap() = default;

void PaletteBitmap::readLayout()
{
    m_layout = BitmapLayout::read(*m_file);
    const QString shown = FileAccess::displayPath(m_path);
    // A header the reader does not know is named as it is, not as another bit count.
    if (m_layout.problem == BitmapLayout::Problem::HeaderSize) {
        m_file->close();
        m_layout.require(shown);
    }
    if (!m_layout.hasHeader() || m_layout.bits != 8) {
        m_file->close();
        throw Failure(FailureNumber::BitmapMismatch, Messages::notA256ColourBitmap(shown));
    }
    if (!m_layout.isReadable()) {
        m_file->close();
        m_layout.require(shown);
    }
}

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
    if (!m_file->isOpen()) {
        // The file may have been replaced meanwhile (temp.bmp by the next record).
        m_file = FileAccess::openForUpdate(m_path); // throws the Failure naming the file
        readLayout();
    }
    return *m_file;
}

void PaletteBitmap::requireIndex(int index) const
{
    if (index < 0 || index >= entries())
        throw Failure(FailureNumber::Overflow,
                      Messages::paletteIndexOutOfRange(QString::number(index), entries()));
}

void PaletteBitmap::requireAlphaBytes() const
{
    if (!m_layout.hasAlphaBytes())
        throw Failure(FailureNumber::BitmapMismatch,
                      Messages::paletteWithoutAlpha(FileAccess::displayPath(m_path)));
}

PaletteBitmap::Entry PaletteBitmap::entry(int index)
{
    TrackedFile &f = file();
    requireIndex(index);
    char bytes[4] = {0, 0, 0, char(0xFF)}; // three-byte entries are opaque
    FileAccess::readAt(f, m_layout.entryOffset(index), bytes, m_layout.entryBytes);
    return {quint8(bytes[0]), quint8(bytes[1]), quint8(bytes[2]), quint8(bytes[3])};
}

void PaletteBitmap::setAlpha(int index, quint8 alpha)
{
    TrackedFile &f = file();
    requireIndex(index);
    requireAlphaBytes();
    const char byte = char(alpha);
    FileAccess::writeAt(f, m_layout.entryOffset(index) + 3, &byte, 1);
    FileAccess::flush(f);
}

void PaletteBitmap::setAllAlpha(quint8 alpha)
{
    TrackedFile &f = file();
    requireAlphaBytes();
    QByteArray table = FileAccess::readAt(f, m_layout.tableOffset, 4 * qint64(entries()));
    for (int i = 0; i < entries(); ++i)
        table[4 * i + 3] = char(alpha);
    FileAccess::writeAt(f, m_layout.tableOffset, table);
    FileAccess::flush(f);
}

std::optional<quint8> PaletteBitmap::pixelIndex(int x, int y)
{
    TrackedFile &f = file();
    if (x < 0 || y < 0 || x >= m_layout.width || y >= m_layout.height)
        return std::nullopt;
    char byte = 0;
    FileAccess::readAt(f, m_layout.recordRowOffset(y) + x, &byte, 1);
    return quint8(byte);
}
