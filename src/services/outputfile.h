#pragma once

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

// A file the program makes, written whole or not at all: every output goes through one. The
// bytes go to a new file beside the target, which takes the target's name in commit(), once
// every byte is on the disk. Until then the target stays exactly as it was, and an OutputFile
// destroyed without commit() (after a failure) leaves no file behind. Failures throw a Failure
// that names the target and gives the system's reason ("No space left on device").
class OutputFile
{
public:
    explicit OutputFile(const QString &target);

    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Written with FileAccess::writeAt, which refuses a short write.
    QFileDevice &device() { return m_file; }

    // Puts the file on the disk, then gives it the target's name.
    void commit();

    // Writes a whole file of bytes.
    static void write(const QString &target, const QByteArray &bytes);

private:
    QSaveFile m_file;
};

// A scratch file only the program reads back (the extracted temp.bmp), written in place: a
// reader opens it only after commit(), so it needs no sync and no name of its own on the way.
// One destroyed without commit() (after a failure) is removed.
class ScratchFile
{
public:
    explicit ScratchFile(const QString &path);
    ~ScratchFile();

    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    QFileDevice &device() { return m_file; }
    // Hands the written bytes to the system and closes the file; a failure throws.
    void commit();

private:
    QFile m_file;
    bool m_committed = false;
};

// Files made one after another in one folder (an export of many pictures): each is written whole
// under a temporary name beside its target and then takes the target's name, as with an
// OutputFile, keeping an old file's permissions, but none is synced on its own (a sync costs
// more than a picture): finish() puts every file of the folder's disk on it with one call, so
// that the folder is on the disk when the command says it is done.
class OutputFolder
{
public:
    explicit OutputFolder(const QString &folder);

    // Throws a Failure that names the target and gives the system's reason; then the target is
    // as it was and nothing is left beside it.
    void write(const QString &target, const QByteArray &bytes);
    void finish();

private:
    QString m_folder;
};
