// Fuzzes the package reader: the zip archive, its entry names, install.data against a small GOB
// file and Replaced Files.txt, imported by the real import engine with answers given here.
// An input that starts with "PK" is the archive itself; any other input is split at the line
// "==kx==" into an options part and entries, each its name, a line end and its bytes, and
// libzip makes a valid archive of them (a name that starts with '!' is stored as a link).
// Checked: a refused package leaves the GOB file as it was; an imported one changes exactly the
// regions install.data declares, to the bytes of file.data; outside the extraction folder
// nothing is created, changed or removed but the GOB file, the backup package and its data file
// (when a backup is asked for) and .tga files in the bats folder.
#include "fuzzsupport.h"
#include "scriptedprompts.h"

#include "packages/packageimport.h"
#include "packages/tempfolder.h"
#include "packages/unzipservice.h"
#include "services/failure.h"
#include "services/openfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <list>

#include <zip.h>

namespace {

struct Options
{
    bool backup = false;
    bool answerNo = false;
};

const QByteArray Separator = QByteArrayLiteral("\n==kx==\n");

// Writes the archive for the input; false when libzip refuses to make one of these entries.
bool writeArchive(const QByteArray &input, const QString &path, Options &options)
{
    if (input.startsWith("PK")) {
        options.backup = input.size() % 2;
        FuzzSupport::writeFile(path, input);
        return true;
    }
    std::list<QByteArray> parts; // libzip reads the buffers when the archive is closed
    for (qsizetype from = 0;;) {
        const qsizetype cut = input.indexOf(Separator, from);
        parts.push_back(input.mid(from, cut < 0 ? -1 : cut - from));
        if (cut < 0)
            break;
        from = cut + Separator.size();
    }
    const quint8 flags = parts.front().isEmpty() ? 0 : quint8(parts.front()[0]);
    options.backup = flags & 1;
    options.answerNo = flags & 2;
    const bool deflate = flags & 4;
    parts.pop_front();

    QDir().mkpath(QFileInfo(path).path());
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z)
        return false;
    std::list<QByteArray> names;
    for (const QByteArray &part : parts) {
        const qsizetype end = part.indexOf('\n');
        QByteArray name = end < 0 ? part : part.left(end);
        const char *bytes = end < 0 ? "" : part.constData() + end + 1;
        const zip_uint64_t length = end < 0 ? 0 : zip_uint64_t(part.size() - end - 1);
        const bool link = name.startsWith('!');
        if (link)
            name.remove(0, 1);
        names.push_back(name);
        zip_source_t *source = zip_source_buffer(z, bytes, length, 0);
        const zip_int64_t index =
            source ? zip_file_add(z, names.back().constData(), source, ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            FuzzSupport::trace(QStringLiteral("entry not added: ")
                               + QString::fromUtf8(zip_strerror(z)));
            zip_source_free(source);
            zip_discard(z);
            return false;
        }
        zip_set_file_compression(z, zip_uint64_t(index), deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                 0);
        if (link)
            zip_file_set_external_attributes(z, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(0120777) << 16);
    }
    if (zip_close(z) != 0) {
        FuzzSupport::trace(QStringLiteral("archive not written: ")
                           + QString::fromUtf8(zip_strerror(z)));
        zip_discard(z);
        return false;
    }
    return true;
}

QString findIn(const QString &folder, const QString &wanted)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return QString();
}

qint32 int32At(const QByteArray &b, qsizetype at)
{
    return qint32(quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8
                  | quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24);
}

// The GOB file as the package's install.data and file.data make it: every complete 8-byte
// record (package offset P, size S) puts the next S bytes of file.data at 0-based P + 111.
QByteArray importedGob(QByteArray gob, const QString &extraction)
{
    const QByteArray install =
        FuzzSupport::readFile(findIn(extraction, QStringLiteral("install.data")));
    const QByteArray data = FuzzSupport::readFile(findIn(extraction, QStringLiteral("file.data")));
    qint64 position = 0;
    for (qsizetype k = 0; k + 8 <= install.size(); k += 8) {
        const qint64 p = int32At(install, k), s = int32At(install, k + 4);
        REQUIRE(p >= 0 && s >= 0 && p + 111 + s <= gob.size() && position + s <= data.size());
        gob.replace(qsizetype(p + 111), qsizetype(s), data.mid(qsizetype(position), qsizetype(s)));
        position += s;
    }
    return gob;
}

bool isTga(const QString &path)
{
    return path.endsWith(QStringLiteral(".tga"), Qt::CaseInsensitive);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString sandbox = FuzzSupport::home() + QStringLiteral("/sandbox");
    QDir(sandbox).removeRecursively();
    const QString gobPath = sandbox + QStringLiteral("/game/data/torvane_pc.gob");
    const QString packagePath = sandbox + QStringLiteral("/packages/kits.zip");
    const QString tempFolder = sandbox + QStringLiteral("/KX_Temp");
    const QString batsFolder = sandbox + QStringLiteral("/game/data/bats");
    QByteArray before = FuzzSupport::filler(4096);
    for (qsizetype i = 0; i < before.size(); i += 7)
        before[i] = char(i / 7);
    FuzzSupport::writeFile(gobPath, before);
    FuzzSupport::writeFile(tempFolder + QStringLiteral("/leftover.txt"), "from an earlier run");
    FuzzSupport::writeFile(batsFolder + QStringLiteral("/old.tga"), "an older badge");
    FuzzSupport::writeFile(sandbox + QStringLiteral("/elsewhere/keep.txt"), "not to be touched");

    Options options;
    if (!writeArchive(FuzzSupport::bytesOf(data, size), packagePath, options))
        return 0;
    const FuzzSupport::Tree treeBefore = FuzzSupport::snapshot(FuzzSupport::home());

    // Unanswered questions take their default button: Yes to the replace question; no password.
    ScriptedPrompts prompts;
    if (options.answerNo)
        prompts.answerMessage(Answer::No);
    PackageDisplay display;
    PackageContext context {prompts, nullptr, display};
    VBUnzBas::forgetDeclinedPassword();
    ImportRequest request {packagePath, gobPath, tempFolder, options.backup, batsFolder, {}};
    const QString extraction = TempFolder::extractionFolderOf(tempFolder);
    bool imported = false;
    try {
        imported = PackageImport::run(request, context).imported;
        // No to the replace question cancels; only a zip without the package files gets here.
        REQUIRE(!options.answerNo || !imported);
        FuzzSupport::trace(imported ? QStringLiteral("imported") : QStringLiteral("no package"));
    } catch (const Failure &f) {
        FuzzSupport::trace(QStringLiteral("refused: ") + f.description());
    }
    MainModule::CloseAllFiles();

    const QByteArray after = FuzzSupport::readFile(gobPath);
    REQUIRE(after.size() == before.size());
    if (imported)
        REQUIRE(after == importedGob(before, extraction));
    else
        REQUIRE(after == before);

    // What changed outside the extraction folder.
    const QDir root(FuzzSupport::home());
    const QString gobKey = root.relativeFilePath(gobPath);
    const QString extractionKey = root.relativeFilePath(extraction);
    const QString batsKey = root.relativeFilePath(batsFolder);
    const QString backupKey = root.relativeFilePath(PackageImport::backupPathOf(packagePath));
    const QString backupDataKey = root.relativeFilePath(TempFolder::backupDataPathOf(tempFolder));
    const auto mayChange = [&](const QString &key) {
        if (key == gobKey || key == extractionKey || key.startsWith(extractionKey + u'/'))
            return true;
        if (options.backup && (key == backupKey || key == backupDataKey))
            return true;
        return key.startsWith(batsKey + u'/') && !key.mid(batsKey.size() + 1).contains(u'/')
            && isTga(key);
    };
    const FuzzSupport::Tree treeAfter = FuzzSupport::snapshot(FuzzSupport::home());
    for (auto it = treeBefore.cbegin(); it != treeBefore.cend(); ++it)
        if (!mayChange(it.key()))
            REQUIRE(treeAfter.value(it.key()) == it.value() && treeAfter.contains(it.key()));
    for (auto it = treeAfter.cbegin(); it != treeAfter.cend(); ++it)
        if (!mayChange(it.key()))
            REQUIRE(treeBefore.contains(it.key()));
    return 0;
}
