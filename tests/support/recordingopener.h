#pragma once

#include "services/opener.h"

#include <QList>

// An Opener for tests: records what would be opened and opens nothing.
class RecordingOpener : public Opener
{
public:
    struct Program
    {
        QString program;
        QString workingFolder;
    };

    bool openUrl(const QUrl &url) override
    {
        urls << url;
        return true;
    }
    bool openProgram(const QString &program, const QString &workingFolder) override
    {
        programs << Program {program, workingFolder};
        return true;
    }

    QList<QUrl> urls;
    QList<Program> programs;
};
