// One time-stamped line per event to the kernel debug output: "hh:mm:ss PHONEAPP: text".
#pragma once

#include <windows.h>

// Callers format their message first. A NULL text writes nothing; a line longer than 519
// characters is cut there.
void DebugLog(LPCWSTR text);
