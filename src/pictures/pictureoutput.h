#pragma once

#include <QByteArray>
#include <QString>

// Files the picture commands make, written whole or not at all.
namespace PictureOutput {

// Writes bytes to target through a file beside it that takes the target's name only once
// every byte is on the disk; throws a Failure naming the target.
void write(const QString &target, const QByteArray &bytes);

} // namespace PictureOutput
