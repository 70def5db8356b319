// The message loop of every modal window (dialog boxes, message boxes, and later property sheets
// and pickers): it takes and dispatches the thread's messages until the frame has ended, and
// whenever the queue is empty it lets the scripted user take a step. A failed script ends it with
// the frame's cancel result, so a loop never waits for a user who will not come.
#pragma once

#include "user/modal_frame.h"

namespace handset::dialogs {

void RunModalLoop(user::ModalFrame& frame);

}  // namespace handset::dialogs
