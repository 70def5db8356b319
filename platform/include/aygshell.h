// The Windows Mobile shell library of the handset.
#pragma once

#include "regext.h"
#include "sipapi.h"
#include "windef.h"

extern "C" {

// Reads a .bmp file (a device path) into a bitmap; NULL when the file is missing or unreadable.
HBITMAP SHLoadDIBitmap(LPCWSTR fileName);

}  // extern "C"
