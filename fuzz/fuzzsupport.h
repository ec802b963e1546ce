#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <cstdlib>
#include <memory>

class QTemporaryDir;

// An invariant of a fuzz target: a broken one aborts, so that libFuzzer keeps the input.
#define REQUIRE(condition)                                       \
    do {                                                         \
        if (!(condition))                                        \
            FuzzSupport::broken(#condition, __FILE__, __LINE__); \
    } while (false)

namespace FuzzSupport {

[[noreturn]] void broken(const char *condition, const char *file, int line);

// The temporary folder KESTRIX_HOME points at. Before the first input LLVMFuzzerInitialize
// (defined here for every target) makes it and the Qt application (offscreen, no windows).
QString home();

// With KESTRIX_FUZZ_TRACE set, prints what an input did (to see that seeds get past the checks).
void trace(const QString &what);

QByteArray bytesOf(const uint8_t *data, size_t size);

// Writes a whole file, creating its folder; aborts when it cannot.
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

// Every file below a folder (relative path -> contents) and every folder (relative path ->
// "<dir>"), so that a run can be checked for what it created, changed or removed.
using Tree = QMap<QString, QByteArray>;
Tree snapshot(const QString &folder);

// Filler bytes for a GOB file: 0xEE, 0xEF alternating.
QByteArray filler(qsizetype size);

// A small GOB file with one image record of w x h at 0-based start: 96 header bytes, width,
// height, 8 bytes, pixels, a palette of 256 red-green-blue-alpha entries, then filler up to size.
QByteArray gobWithImageRecord(qsizetype size, qsizetype start, qint32 w, qint32 h);

// Previews a file as the main window and kestrix-cli show a record of its kind (turned by
// rotation quarters) and with its colour table's alpha, after reading its size and pixel format.
void preview(const QString &path, bool wholeFile, int rotation);

// The 0-based positions where two byte arrays of the same length differ: first and one past last;
// {-1, -1} when they are equal.
struct Changed
{
    qsizetype first = -1;
    qsizetype end = -1;
};
Changed changedRange(const QByteArray &before, const QByteArray &after);

} // namespace FuzzSupport
