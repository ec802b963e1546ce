#include "unzipservice.h"

#include "services/apppath.h"
#include "services/failure.h"
#include "services/fileaccess.h"
#include "services/messages.h"
#include "services/prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <zip.h>

#include <limits>
#include <memory>

namespace VBUnzBas {

namespace {

constexpr qint64 BlockBytes = 64 * 1024;
constexpr zip_uint32_t TypeMask = 0170000; // st_mode file type bits of Unix attributes
constexpr zip_uint32_t LinkType = 0120000;

bool passwordDeclined = false;

struct ArchiveCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct EntryCloser
{
    void operator()(zip_file_t *entry) const { zip_fclose(entry); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

QString entryName(zip_t *archive, zip_uint64_t index)
{
    const char *name = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
    return name ? QString::fromUtf8(name) : QString();
}

bool isLink(zip_t *archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & TypeMask) == LinkType;
}

ZipFailure failed(int result, const QString &reason, PackageDisplay &display)
{
    display.replaceLog(reason);
    return ZipFailure(result, reason);
}

// Maps names to the paths already made in this extraction, without regard to letter case, so
// that "Sub/A.txt" and "sub/a.TXT" land in one file as they would on a case-blind disk.
class CaseBlindFolder
{
public:
    explicit CaseBlindFolder(const QString &root)
        : m_root(MainModule::withTrailingSlash(root))
    {
    }

    // The path of a stored name; its folders are created. Empty when a folder cannot be made.
    QString pathOf(const QStringList &parts, bool isFolder)
    {
        QString relative;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const bool last = i + 1 == parts.size();
            const QString wanted = relative.isEmpty() ? parts.at(i) : relative + u'/' + parts.at(i);
            const QString key = wanted.toLower();
            auto known = m_known.constFind(key);
            relative = known != m_known.constEnd() ? *known : wanted;
            m_known.insert(key, relative);
            if ((!last || isFolder) && !QDir().mkpath(m_root + relative))
                return QString();
        }
        return m_root + relative;
    }

private:
    QString m_root;
    QHash<QString, QString> m_known;
};

// Opens an entry, asking for the password of an encrypted one; nothing when it cannot be read.
Entry openEntry(zip_t *archive, zip_uint64_t index, const zip_stat_t &st, QString &password,
                PackageContext &context, int &result)
{
    if (st.encryption_method == ZIP_EM_NONE) {
        Entry entry(zip_fopen_index(archive, index, 0));
        if (!entry)
            result = zip_error_code_zip(zip_get_error(archive)) == ZIP_ER_COMPNOTSUPP
                ? UnzipResult::Unsupported
                : UnzipResult::BadArchive;
        return entry;
    }
    for (;;) {
        if (!password.isEmpty()) {
            Entry entry(
                zip_fopen_index_encrypted(archive, index, 0, password.toUtf8().constData()));
            if (entry)
                return entry;
            const int code = zip_error_code_zip(zip_get_error(archive));
            if (code == ZIP_ER_ENCRNOTSUPP || code == ZIP_ER_COMPNOTSUPP) {
                result = UnzipResult::Unsupported;
                return nullptr;
            }
            if (code != ZIP_ER_WRONGPASSWD) {
                result = UnzipResult::BadArchive;
                return nullptr;
            }
        }
        if (passwordDeclined) {
            result = UnzipResult::NoPassword;
            return nullptr;
        }
        const std::optional<QString> answer =
            context.prompts.input(context.owner, Messages::passwordPrompt(), QString(), QString());
        if (!answer || answer->isEmpty()) {
            passwordDeclined = true;
            result = UnzipResult::NoPassword;
            return nullptr;
        }
        password = *answer;
    }
}

} // namespace

bool isSafeEntryName(const QString &name)
{
    QString n = name;
    n.replace(u'\\', u'/');
    if (n.isEmpty() || n.startsWith(u'/') || n.contains(QChar(0)))
        return false;
    if (n.size() >= 2 && n.at(1) == u':') // a drive prefix such as C:
        return false;
    const QStringList parts = n.split(u'/', Qt::SkipEmptyParts);
    for (const QString &part : parts)
        if (part == QStringLiteral(".."))
            return false;
    return true;
}

void forgetDeclinedPassword()
{
    passwordDeclined = false;
}

void unzip(const QString &archivePath, const QString &folder, PackageContext &context,
           qint64 maxBytes)
{
    PackageDisplay &display = context.display;
    const QString shown = FileAccess::displayPath(archivePath);
    if (!QFileInfo(archivePath).isFile())
        throw failed(
            UnzipResult::ArchiveNotFound,
            Messages::fileFailure(QStringLiteral("open"), shown, Messages::fileDoesNotExist()),
            display);
    int error = 0;
    Archive archive(zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &error));
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        const QString reason = QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        throw failed(UnzipResult::BadArchive, shown + QStringLiteral(": ") + reason, display);
    }

    // Every name is checked before the first byte is written.
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const QString name = entryName(archive.get(), zip_uint64_t(i));
        if (!isSafeEntryName(name) || isLink(archive.get(), zip_uint64_t(i)))
            throw failed(UnzipResult::UnsafeName, Messages::unsafeEntryName(name), display);
    }
    // So is what they expand to, as their headers say (an entry that expands further is
    // stopped as it is unpacked).
    if (maxBytes >= 0) {
        quint64 total = 0;
        for (zip_int64_t i = 0; i < count; ++i) {
            zip_stat_t st;
            if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st) == 0
                && (st.valid & ZIP_STAT_SIZE))
                total += st.size;
        }
        if (total > quint64(maxBytes))
            throw failed(
                UnzipResult::TooLarge,
                Messages::packageExpandsTooFar(
                    qint64(qMin<quint64>(total, quint64(std::numeric_limits<qint64>::max()))),
                    maxBytes),
                display);
    }

    if (!QDir().mkpath(folder))
        throw failed(UnzipResult::WriteFailed,
                     Messages::fileFailure(QStringLiteral("create the folder"),
                                           FileAccess::displayPath(folder),
                                           Messages::folderNotMade()),
                     display);

    CaseBlindFolder target(folder);
    QString password;
    QByteArray buffer(BlockBytes, Qt::Uninitialized);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = zip_uint64_t(i);
        QString name = entryName(archive.get(), index);
        name.replace(u'\\', u'/');
        const bool isFolder = name.endsWith(u'/');
        const QStringList parts = name.split(u'/', Qt::SkipEmptyParts);
        const QString path = parts.isEmpty() ? QString() : target.pathOf(parts, isFolder);
        if (parts.isEmpty())
            continue;
        if (path.isEmpty())
            throw failed(UnzipResult::WriteFailed,
                         Messages::fileFailure(QStringLiteral("create the folder for"), name,
                                               Messages::folderNotMade()),
                         display);
        if (isFolder)
            continue;

        zip_stat_t st;
        if (zip_stat_index(archive.get(), index, 0, &st) != 0)
            throw failed(UnzipResult::BadArchive,
                         shown + QStringLiteral(": ")
                             + QString::fromUtf8(zip_strerror(archive.get())),
                         display);
        int result = UnzipResult::Ok;
        Entry entry = openEntry(archive.get(), index, st, password, context, result);
        if (!entry)
            throw failed(result,
                         QStringLiteral("skipping: %1  %2")
                             .arg(name,
                                  result == UnzipResult::NoPassword
                                      ? QStringLiteral("incorrect password")
                                      : QString::fromUtf8(zip_strerror(archive.get()))),
                         display);
        try {
            // Scratch files, never synced: a crash leaves a folder the next unpack removes, and
            // a sync each would cost minutes on a package of many entries.
            FileAccess::removeIfExists(path); // an entry named twice: the later one stands
            const auto out = FileAccess::createNew(path);
            qint64 written = 0;
            for (;;) {
                const zip_int64_t got =
                    zip_fread(entry.get(), buffer.data(), zip_uint64_t(buffer.size()));
                if (got < 0)
                    throw failed(UnzipResult::BadArchive,
                                 QStringLiteral("%1: %2").arg(
                                     name, QString::fromUtf8(zip_file_strerror(entry.get()))),
                                 display);
                if (got == 0)
                    break;
                if ((st.valid & ZIP_STAT_SIZE) && quint64(written + got) > st.size)
                    throw failed(
                        UnzipResult::BadArchive,
                        QStringLiteral("%1: %2").arg(name, Messages::entryLongerThanSaid()),
                        display);
                FileAccess::writeAt(*out, written, buffer.constData(), got);
                written += got;
                display.processPendingEvents();
            }
            FileAccess::flush(*out); // a write the system refuses shows here, not later
        } catch (const ZipFailure &) {
            throw;
        } catch (const Failure &failure) {
            throw failed(UnzipResult::WriteFailed, failure.description(), display);
        }
        display.setProgress(int((i + 1) * 100 / count));
        display.processPendingEvents();
    }
}

} // namespace VBUnzBas
