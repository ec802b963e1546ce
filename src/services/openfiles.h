#pragma once

#include <QFile>

// A file that is known to the program's open-file registry for as long as it exists, so that
// CloseAllFiles() can close it wherever it was opened (the palette editor's file included).
class TrackedFile : public QFile
{
public:
    explicit TrackedFile(const QString &path);
    ~TrackedFile() override;

    TrackedFile(const TrackedFile &) = delete;
    TrackedFile &operator=(const TrackedFile &) = delete;
};

namespace MainModule {

// Closes every file the program has open.
void CloseAllFiles();

// Closes every open file of the program at this path (the scratch bitmap before it is replaced).
void closeFilesAt(const QString &path);

// How many registered files are open now.
int openFileCount();

} // namespace MainModule
