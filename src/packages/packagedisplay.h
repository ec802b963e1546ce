#pragma once

#include <QString>

class Prompts;
class QWidget;

// What the package engines show while they work: the package window's progress display and
// log box, or the terminal. Every member does nothing unless a display overrides it.
class PackageDisplay
{
public:
    virtual ~PackageDisplay() = default;

    // The progress display at a whole percentage from 0 to 100.
    virtual void setProgress(int percent) { Q_UNUSED(percent) }
    // Empties the log box; on shows the progress display instead of it, off the log box.
    virtual void showProgressDisplay(bool on) { Q_UNUSED(on) }
    // A message of the zip service: added to the log box on a line of its own.
    virtual void appendLog(const QString &text) { Q_UNUSED(text) }
    // A message of the unzip service: replaces the whole text of the log box.
    virtual void replaceLog(const QString &text) { Q_UNUSED(text) }
    // Lets the window system handle pending events (repaints, commands of other programs).
    virtual void processPendingEvents() { }
};

// Where a package operation asks its questions and shows its work.
struct PackageContext
{
    Prompts &prompts;
    QWidget *owner = nullptr;
    PackageDisplay &display;
};
