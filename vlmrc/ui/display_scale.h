// The factor the library's fonts are sized by: 1, or 2 once the options sheet has opened on a VGA or
// wide-VGA screen, and so for the rest of the process. The sheet sets it (options/); its pages, the
// painted labels and the forwarding screens read it.
#pragma once

#include <windows.h>

extern int DisplayScale;
