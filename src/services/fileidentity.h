#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>

// Whether two paths lead to one file, whatever links or spellings lead there.
namespace FileIdentity {

// True when both exist and are the same file on the disk (a link or another spelling of a
// path counts as the file itself).
bool sameFile(const QString &a, const QString &b);

// Throws a Failure naming both files when output is one of inputs (empty inputs are skipped):
// an output never lands on a file that the command reads, the GOB file or the catalogue.
void refuseInputs(const QString &output, const QStringList &inputs);

// What tells one file on the disk from another that took its name: device and inode numbers
// and the length. Zero device and inode where the system gives none.
struct Stamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    bool operator==(const Stamp &) const = default;
};
Stamp stampOf(const QFileDevice &file);

} // namespace FileIdentity
