#pragma once

#include "consoleprompts.h"

#include "packages/packagedisplay.h"

#include <QTemporaryDir>

#include <memory>

// The package engines' display on the terminal: the messages of the zip services go to
// standard error; there is no progress display.
class ConsoleDisplay : public PackageDisplay
{
public:
    void appendLog(const QString &text) override { ConsolePrompts::printError(text); }
    void replaceLog(const QString &text) override { ConsolePrompts::printError(text); }

    // A temporary folder of the run, standing in for the package window's KX_Temp; throws a
    // Failure when it cannot be made.
    static std::unique_ptr<QTemporaryDir> workFolder();
};
