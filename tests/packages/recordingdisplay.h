#pragma once

#include "packages/packagedisplay.h"

#include <QList>
#include <QStringList>

#include <functional>

// A package display for tests: keeps every percentage, switch and log message.
class RecordingDisplay : public PackageDisplay
{
public:
    void setProgress(int percent) override { progress << percent; }
    void showProgressDisplay(bool on) override { switches << on; }
    void appendLog(const QString &text) override { log << text; }
    void replaceLog(const QString &text) override { log = QStringList {text}; }
    void processPendingEvents() override
    {
        ++pendingEvents;
        if (onEvents)
            onEvents();
    }

    QList<int> progress;
    QList<bool> switches;
    QStringList log;
    int pendingEvents = 0;
    std::function<void()> onEvents;
};
