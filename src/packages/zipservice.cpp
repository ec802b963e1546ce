#include "zipservice.h"

#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"

#include <QFileInfo>
#include <QSet>

#include <zip.h>

namespace VBZipBas {

namespace {

constexpr int Level = 9;

void onProgress(zip_t *, double, void *state)
{
    static_cast<PackageDisplay *>(state)->processPendingEvents();
}

// The stored size against the original as a whole percentage saved, as zip tools report it.
int savedPercent(zip_uint64_t size, zip_uint64_t compressed)
{
    if (size == 0 || compressed >= size)
        return 0;
    return int((size - compressed) * 100 / size);
}

// One "adding:" line per entry of the finished archive.
void reportEntries(const QString &archivePath, PackageDisplay &display)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &st) != 0)
            continue;
        const bool deflated = st.comp_method == ZIP_CM_DEFLATE;
        display.appendLog(Messages::zipAdding(QString::fromUtf8(st.name),
                                              savedPercent(st.size, st.comp_size), deflated));
    }
    zip_discard(archive);
}

// Logs the problem and makes the failure to throw.
ZipFailure refuse(int result, const QString &problem, PackageDisplay &display)
{
    display.appendLog(problem);
    return ZipFailure(result, problem);
}

ZipFailure fail(zip_t *archive, PackageDisplay &display)
{
    const int code = zip_error_code_zip(zip_get_error(archive));
    const QString problem =
        QStringLiteral("zip error: ") + QString::fromUtf8(zip_strerror(archive));
    zip_discard(archive);
    return refuse(code == ZIP_ER_OK ? ZIP_ER_INTERNAL : code, problem, display);
}

} // namespace

QString archivePathFor(const QString &path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".zip") : path;
}

void zip(const QString &archivePath, const QStringList &files, PackageContext &context)
{
    PackageDisplay &display = context.display;
    const QString target = archivePathFor(archivePath);
    if (files.isEmpty())
        throw refuse(ZIP_ER_INVAL, QStringLiteral("zip error: nothing to do"), display);

    // Bare names must differ, also in letter case: the archive is read on systems that ignore it.
    QSet<QString> names;
    for (const QString &file : files) {
        const QFileInfo info(file);
        if (!info.isFile() || !info.isReadable())
            throw refuse(ZIP_ER_OPEN, Messages::zipFileMissing(FileAccess::displayPath(file)),
                         display);
        const QString name = info.fileName().toLower();
        if (names.contains(name))
            throw refuse(ZIP_ER_EXISTS, Messages::entryNameRepeated(info.fileName()), display);
        names.insert(name);
    }

    // libzip writes the archive beside the target and gives it the target's name only when it
    // is complete, so an existing archive stays as it was until then.
    int error = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(target).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        const QString problem =
            QStringLiteral("zip error: ") + QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        throw refuse(error == ZIP_ER_OK ? ZIP_ER_OPEN : error, problem, display);
    }

    for (const QString &file : files) {
        // A file source: libzip reads and deflates the file in blocks while it writes.
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(file).constData(), 0, -1);
        if (!source)
            throw fail(archive, display);
        const QByteArray name = QFileInfo(file).fileName().toUtf8();
        const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            throw fail(archive, display);
        }
        if (zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, Level) != 0)
            throw fail(archive, display);
    }

    const QByteArray comment = Messages::zipComment().toLatin1();
    if (zip_set_archive_comment(archive, comment.constData(), zip_uint16_t(comment.size())) != 0)
        throw fail(archive, display);
    zip_register_progress_callback_with_state(archive, 0.01, onProgress, nullptr, &display);
    if (zip_close(archive) != 0)
        throw fail(archive, display);
    try {
        auto written = FileAccess::openForUpdate(target);
        FileAccess::syncToDisk(*written);
    } catch (const Failure &failure) {
        throw refuse(ZIP_ER_WRITE, QStringLiteral("zip error: ") + failure.description(), display);
    }
    reportEntries(target, display);
}

} // namespace VBZipBas
