// The module-wide bDBMUI flag: when set, the screens keep their templates' fonts instead of
// creating their own. Loaded each time the options sheet opens.
#pragma once

#include <windows.h>

extern DWORD g_bDBMUI;

void LoadDBMUISetting(void);
