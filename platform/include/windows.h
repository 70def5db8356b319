// The Win32 / Windows CE surface of the handset.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "wcstr.h"
#include "winbase.h"
#include "winnls.h"
#include "winreg.h"
#include "winuser.h"
#include "wingdi.h"
