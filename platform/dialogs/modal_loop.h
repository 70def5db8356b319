// The message loop of every modal window (dialog boxes, message boxes, and later property sheets
// and pickers): it takes and dispatches the thread's messages until the frame has ended, and
// whenever the queue is empty it lets the installed idle hook take a step (modal_frame.h). Loops
// abandoned by the hook end with the frame's cancel result, so a loop never waits for a user who
// will not come.
#pragma once

#include "dialogs/modal_frame.h"

namespace handset::dialogs {

void RunModalLoop(ModalFrame& frame);

}  // namespace handset::dialogs
