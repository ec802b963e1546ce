#include "gobwriter.h"

#include "services/blockcopy.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <algorithm>

GobWriter::GobWriter(const QString &gobPath)
    : m_file(FileAccess::openForUpdate(gobPath, true))
    , m_size(m_file->size())
    , m_stamp(FileIdentity::stampOf(*m_file))
{
}

GobWriter::~GobWriter() = default;

void GobWriter::requireRegion(qint64 start, qint64 length) const
{
    // The size taken at opening: the GOB file never grows, and asking the file again would
    // flush whatever a failed write left in its buffer.
    if (start < 0 || length < 0 || start + length > m_size)
        throw Failure(FailureNumber::BadRecord,
                      Messages::recordOutsideFile(FileAccess::displayPath(m_file->fileName()),
                                                  start + 1, start + length, m_size));
    if (!m_allowed || length == 0)
        return;
    const auto region =
        std::upper_bound(m_allowed->begin(), m_allowed->end(), start,
                         [](qint64 at, const GobRegion &r) { return at < r.end(); });
    if (region == m_allowed->end() || !region->contains(start, length))
        throw Failure(FailureNumber::BadRecord,
                      Messages::writeOutsideChange(FileAccess::displayPath(m_file->fileName()),
                                                   start, start + length));
}

void GobWriter::reserve(qint64 start, qint64 length)
{
    requireRegion(start, length);
    FileAccess::reserve(*m_file, start, length);
}

void GobWriter::write(qint64 start, const QByteArray &bytes)
{
    requireRegion(start, bytes.size());
    m_written = true;
    FileAccess::writeAt(*m_file, start, bytes);
}

void GobWriter::copyFrom(QFile &source, qint64 sourcePos, qint64 start, qint64 length,
                         int blockSize, const std::function<void()> &afterBlock)
{
    requireRegion(start, length);
    m_written = true;
    BlockCopy::copy(source, sourcePos, *m_file, start, length, blockSize, afterBlock);
}

void GobWriter::fillZeros(qint64 start, qint64 length, int blockSize)
{
    requireRegion(start, length);
    m_written = true;
    BlockCopy::fillZeros(*m_file, start, length, blockSize);
}

void GobWriter::commit()
{
    FileAccess::syncToDisk(*m_file);
}
