// The desktop SDK's <commctrl.h> plus the property-sheet callback messages that only CE sends.
#pragma once
// Found before the desktop SDK header of the same name, which it includes.
#pragma GCC system_header

#include_next <commctrl.h>

// CE asks the sheet's callback for the common-controls version it was built for and for the
// sheet's title; desktop Windows never sends these (it uses 3 for PSCB_BUTTONPRESSED instead).
#define PSCB_GETVERSION 3
#define PSCB_GETTITLE 4
