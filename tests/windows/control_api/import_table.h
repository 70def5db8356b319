// Points a loaded module's imports at replacements: how the tests on desktop Windows see and steer
// the Win32 calls vlmrc.dll makes (its clock, its registry calls), as the handset's control API does.
#pragma once

#include <windows.h>

namespace testing_windows {

// Replaces every import of `function` (by name, from any DLL) in `module`'s import address table.
// False when the module imports no such function.
bool RouteImport(HMODULE module, const char* function, const void* replacement);

// Routes vlmrc.dll's clock and registry, window-lookup and message calls through the test clock,
// the call trace and the injected faults; called whenever a test has loaded the library.
void RouteLibraryClock(HMODULE library);
void RouteLibraryCalls(HMODULE library);

// Back to no trace, no faults and the real clock, for the next test.
void ResetLibraryCalls();

}  // namespace testing_windows
