#pragma once

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

} // namespace FileIdentity
