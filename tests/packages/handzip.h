#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <zip.h>

// Zip archives written and read straight through libzip in tests, independent of the program's
// zip services: any entry name, links, passwords.
namespace HandZip {

struct Entry
{
    QString name;
    QByteArray bytes;
    bool link = false; // stored as a Unix symbolic link whose target is bytes
    QByteArray password = {}; // AES-256 when not empty
};

inline bool write(const QString &path, const QList<Entry> &entries)
{
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z)
        return false;
    for (const Entry &e : entries) {
        zip_source_t *s =
            zip_source_buffer(z, e.bytes.constData(), zip_uint64_t(e.bytes.size()), 0);
        const QByteArray name = e.name.toUtf8();
        const zip_int64_t i = zip_file_add(z, name.constData(), s, ZIP_FL_ENC_UTF_8);
        if (i < 0)
            return zip_source_free(s), zip_discard(z), false;
        if (e.link)
            zip_file_set_external_attributes(z, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(0120777) << 16);
        if (!e.password.isEmpty()
            && zip_file_set_encryption(z, zip_uint64_t(i), ZIP_EM_AES_256, e.password.constData())
                != 0)
            return zip_discard(z), false;
    }
    return zip_close(z) == 0;
}

struct Read
{
    QString name;
    QByteArray bytes;
};

inline QList<Read> read(const QString &path, QString *comment = nullptr)
{
    QList<Read> out;
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!z)
        return out;
    if (comment) {
        int length = 0;
        const char *c = zip_get_archive_comment(z, &length, 0);
        *comment = c ? QString::fromLatin1(c, length) : QString();
    }
    const zip_int64_t n = zip_get_num_entries(z, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_index(z, zip_uint64_t(i), 0, &st);
        Read r {QString::fromUtf8(st.name), QByteArray(qsizetype(st.size), '\0')};
        zip_file_t *f = zip_fopen_index(z, zip_uint64_t(i), 0);
        if (f) {
            zip_fread(f, r.bytes.data(), st.size);
            zip_fclose(f);
        }
        out << r;
    }
    zip_discard(z);
    return out;
}

} // namespace HandZip
