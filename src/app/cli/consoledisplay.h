#pragma once

#include "consoleprompts.h"

#include "packages/packagedisplay.h"

#include <QTemporaryDir>

#include <memory>

// The package engines' display on the terminal: nothing. The zip services' progress lines are
// not for scripts, and a problem they log comes back to the verb as the reason it reports.
class ConsoleDisplay : public PackageDisplay
{
public:
    // A temporary folder of the run for a verb's scratch files, standing in for the window's
    // temp.bmp folder and the package window's KX_Temp; throws a Failure when it cannot be made.
    static std::unique_ptr<QTemporaryDir> workFolder();
};
