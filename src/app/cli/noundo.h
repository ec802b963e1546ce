#pragma once

#include "cli/verb.h"
#include "history/gobchange.h"

// The --no-undo switch of the verbs that write into a GOB file: without it a change the history
// cannot keep (larger than its limit, no room on the disk) is refused.
namespace NoUndo {

Option option();
WithoutUndo from(const Arguments &args);

} // namespace NoUndo
