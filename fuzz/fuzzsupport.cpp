#include "fuzzsupport.h"

#include "services/canvas.h"
#include "services/imaging.h"
#include "services/recordpreview.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace FuzzSupport {

void broken(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", condition, file, line);
    std::abort();
}

namespace {

QString homeFolder;

} // namespace

QString home()
{
    return homeFolder;
}

void trace(const QString &what)
{
    static const bool on = qEnvironmentVariableIsSet("KESTRIX_FUZZ_TRACE");
    if (on)
        std::fprintf(stderr, "%s\n", qPrintable(what));
}

QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        broken("write a file of the fixture", __FILE__, __LINE__);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        broken("read a file of the fixture", __FILE__, __LINE__);
    return file.readAll();
}

Tree snapshot(const QString &folder)
{
    Tree tree;
    const QDir root(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = root.relativeFilePath(path);
        if (info.isSymLink())
            tree.insert(relative, "<link>" + QFile::encodeName(info.symLinkTarget()));
        else if (info.isDir())
            tree.insert(relative, "<dir>");
        else
            tree.insert(relative, readFile(path));
    }
    return tree;
}

QByteArray filler(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(i % 2 ? 0xEF : 0xEE);
    return bytes;
}

QByteArray gobWithImageRecord(qsizetype size, qsizetype start, qint32 w, qint32 h)
{
    QByteArray record(96, char(0xA5));
    for (const qint32 value : {w, h})
        for (int b = 0; b < 4; ++b)
            record.append(char((quint32(value) >> (8 * b)) & 0xFF));
    record.append(QByteArray(8, char(0x5A)));
    for (qint64 i = 0; i < qint64(w) * h; ++i)
        record.append(char(i * 7));
    for (int k = 0; k < 256; ++k) {
        const char entry[4] = {char(k), char(255 - k), char(k / 2), char(0xFF)};
        record.append(entry, 4);
    }
    QByteArray gob = filler(size);
    gob.replace(start, record.size(), record);
    return gob;
}

void preview(const QString &path, bool wholeFile, int rotation)
{
    Canvas canvas;
    canvas.setGrowing(true);
    QString name = path;
    qint32 width = 0, height = 0, format = 0;
    MainModule::GetImageInfo(width, height, format, name);
    RecordPreview::drawTurned(canvas, wholeFile, rotation, width, height, name);
    RecordPreview::drawTransparent(canvas, name);
}

Changed changedRange(const QByteArray &before, const QByteArray &after)
{
    Changed range;
    for (qsizetype i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) {
            if (range.first < 0)
                range.first = i;
            range.end = i + 1;
        }
    }
    return range;
}

} // namespace FuzzSupport

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The application lives for the whole run; libFuzzer never returns from its loop.
    new QGuiApplication(*argc, *argv);
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/kestrix-fuzz-XXXXXX"));
    if (!folder.isValid())
        FuzzSupport::broken("temporary folder", __FILE__, __LINE__);
    qputenv("KESTRIX_HOME", QFile::encodeName(folder.path()));
    FuzzSupport::homeFolder = folder.path();
    return 0;
}
