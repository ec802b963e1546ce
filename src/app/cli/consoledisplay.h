#pragma once

#include "consoleprompts.h"

#include "packages/packagedisplay.h"

// The package engines' display on the terminal: the messages of the zip services go to
// standard error; there is no progress display.
class ConsoleDisplay : public PackageDisplay
{
public:
    void appendLog(const QString &text) override { ConsolePrompts::printError(text); }
    void replaceLog(const QString &text) override { ConsolePrompts::printError(text); }
};
