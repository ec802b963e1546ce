#pragma once

#include <QString>
#include <QUrl>

// Hands web pages, help pages and programs to the desktop. Injectable like Prompts, so that
// tests record what would be opened. The results are not examined by the callers.
class Opener
{
public:
    virtual ~Opener() = default;

    virtual bool openUrl(const QUrl &url) = 0;

    // Starts a program file with the desktop's opener of that file, in the working folder.
    virtual bool openProgram(const QString &program, const QString &workingFolder) = 0;
};

// The real desktop: QDesktopServices for pages, the system's file opener for programs.
class DesktopOpener : public Opener
{
public:
    bool openUrl(const QUrl &url) override;
    bool openProgram(const QString &program, const QString &workingFolder) override;
};
