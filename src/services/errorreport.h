#pragma once

#include "failure.h"
#include "prompts.h"

namespace MainModule {

// Help page of the error report's Help button.
constexpr int ErrorReportHelpTopic = 106;

// The program's one general failure display. Shows nothing for the cancel code 2004; otherwise
// shows the description alone with the critical icon and a Help button, then closes every open
// file and restores the normal pointer.
void ReportError(Prompts &prompts, QWidget *owner, const Failure &failure);

// Restores the normal pointer, however many busy pointers are set.
void restoreNormalPointer();

} // namespace MainModule
