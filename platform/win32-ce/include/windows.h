// The desktop SDK's <windows.h> plus what the Windows CE SDK's <windows.h> also declares and the
// library uses. Code written for CE includes <windows.h> and finds these as it would on the device.
#pragma once
// Found before the desktop SDK header of the same name, which it includes.
#pragma GCC system_header

#include_next <windows.h>

#include "win32_ce.h"
