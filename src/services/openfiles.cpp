#include "openfiles.h"

#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {

std::vector<TrackedFile *> &registry()
{
    static std::vector<TrackedFile *> files;
    return files;
}

} // namespace

TrackedFile::TrackedFile(const QString &path)
    : QFile(path)
{
    registry().push_back(this);
}

TrackedFile::~TrackedFile()
{
    auto &files = registry();
    files.erase(std::remove(files.begin(), files.end(), this), files.end());
}

namespace MainModule {

void CloseAllFiles()
{
    // Copy first: closing never unregisters, but stay safe against re-entrance.
    const std::vector<TrackedFile *> files = registry();
    for (TrackedFile *file : files)
        file->close();
}

void closeFilesAt(const QString &path)
{
    const QString wanted = QFileInfo(path).absoluteFilePath();
    const std::vector<TrackedFile *> files = registry();
    for (TrackedFile *file : files) {
        if (QFileInfo(file->fileName()).absoluteFilePath() == wanted)
            file->close();
    }
}

int openFileCount()
{
    const auto &files = registry();
    return int(std::count_if(files.begin(), files.end(),
                             [](const TrackedFile *f) { return f->isOpen(); }));
}

} // namespace MainModule
