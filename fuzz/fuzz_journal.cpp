// Fuzzes the reader of the history's change files, through recovery, the listing and undo. The
// input is an options byte (1: set every record's checksum right, walking the frames as the
// format gives them; 2: then flip a byte of the first old bytes; 4: put a newer, rolled back
// change after it, so that it is an older change) and a change file, put into the history of a
// small GOB file. Whatever the file holds, the GOB file keeps its length and a byte changes only
// to a byte of a DATA or REDO record for that place; old bytes that fail their checksum are never
// written, and recovery never writes an older change back.
#include "fuzzsupport.h"

#include "history/gobhistory.h"
#include "services/failure.h"

#include <QDir>
#include <QtEndian>

#include <zlib.h>

namespace {

constexpr qsizetype GobSize = 8192;

// A DATA or REDO record's bytes, as the frames of the (fixed) input give them.
struct Piece
{
    qint64 start = 0;
    QByteArray bytes;
};

// Walks the frames from the start: tag, length, payload, checksum. With fix, each checksum is
// set to the CRC-32 of the rest of its record. Returns the DATA and REDO records.
QList<Piece> walk(QByteArray &file, bool fix, qsizetype *firstData)
{
    QList<Piece> pieces;
    qsizetype at = 0;
    while (at + 12 <= file.size()) {
        const qint64 length = qFromLittleEndian<quint32>(file.constData() + at + 4);
        if (at + 12 + length > file.size())
            break;
        if (fix) {
            const quint32 crc = quint32(
                crc32(0, reinterpret_cast<const Bytef *>(file.constData() + at), uInt(8 + length)));
            qToLittleEndian(crc, file.data() + at + 8 + length);
        }
        if ((file.mid(at, 4) == "DATA" || file.mid(at, 4) == "REDO") && length >= 8) {
            if (firstData && *firstData < 0 && length > 8)
                *firstData = at + 16;
            pieces.append({qFromLittleEndian<qint64>(file.constData() + at + 8),
                           file.mid(at + 16, length - 8)});
        }
        at += 12 + length;
    }
    return pieces;
}

QByteArray frame(const char *tag, const QByteArray &payload)
{
    QByteArray record(tag, 4);
    char number[4];
    qToLittleEndian(quint32(payload.size()), number);
    record.append(number, 4).append(payload);
    qToLittleEndian(
        quint32(crc32(0, reinterpret_cast<const Bytef *>(record.constData()), uInt(record.size()))),
        number);
    return record.append(number, 4);
}

// A change file, rolled back, of no regions: HEAD (version 2, time 0, the texts "package",
// "k.zip" and the GOB path, block 65536, no regions, identity zeros), then STAT 'R'.
QByteArray rolledBack(const QString &gobPath)
{
    QByteArray head;
    const auto put32 = [&head](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        head.append(b, 4);
    };
    put32(2);
    head.append(8, '\0');
    for (const QByteArray &text : {QByteArray("package"), QByteArray("k.zip"), gobPath.toUtf8()}) {
        put32(quint32(text.size()));
        head.append(text);
    }
    put32(65536);
    put32(0);
    head.append(24, '\0');
    return frame("HEAD", head) + frame("STAT", "R");
}

// Every byte that differs lies in a piece that holds it.
bool onlyOldBytes(const QByteArray &before, const QByteArray &after, const QList<Piece> &pieces)
{
    for (qsizetype g = 0; g < before.size(); ++g) {
        if (before[g] == after[g])
            continue;
        bool found = false;
        for (const Piece &p : pieces)
            found = found
                || (g >= p.start && g < p.start + p.bytes.size()
                    && p.bytes[g - p.start] == after[g]);
        if (!found)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int options = data[0];
    QByteArray file = FuzzSupport::bytesOf(data + 1, qsizetype(size - 1));
    qsizetype firstData = -1;
    walk(file, options & 1, &firstData);
    const bool damaged = (options & 3) == 3 && firstData >= 0;
    if (damaged)
        file[firstData] = char(file[firstData] ^ 0x40);
    const QList<Piece> pieces = walk(file, false, nullptr);

    const QString gobPath = FuzzSupport::home() + QStringLiteral("/game/torvane_pc.gob");
    const QByteArray before = FuzzSupport::filler(GobSize);
    FuzzSupport::writeFile(gobPath, before);
    GobHistory history(gobPath);
    QDir(history.folder()).removeRecursively();
    FuzzSupport::writeFile(history.folder() + QStringLiteral("/00000001.change"), file);
    const bool older = options & 4;
    if (older)
        FuzzSupport::writeFile(history.folder() + QStringLiteral("/00000002.change"),
                               rolledBack(gobPath));

    try {
        for (const QString &said : history.recover())
            FuzzSupport::trace(said);
    } catch (const Failure &failure) {
        FuzzSupport::trace(QStringLiteral("recovery refused: ") + failure.description());
    }
    QByteArray after = FuzzSupport::readFile(gobPath);
    REQUIRE(after.size() == before.size());
    REQUIRE(onlyOldBytes(before, after, pieces));
    if (damaged || older)
        REQUIRE(after == before);

    for (const ChangeFile &change : history.changes())
        FuzzSupport::trace(nameOf(change.state()) + u' ' + change.header().description);
    FuzzSupport::trace(history.summary());
    try {
        history.undo();
        FuzzSupport::trace(QStringLiteral("undone"));
    } catch (const Failure &failure) {
        FuzzSupport::trace(QStringLiteral("undo refused: ") + failure.description());
    }
    const QByteArray undone = FuzzSupport::readFile(gobPath);
    REQUIRE(undone.size() == before.size());
    REQUIRE(onlyOldBytes(after, undone, pieces));
    if (damaged)
        REQUIRE(undone == before);
    return 0;
}
