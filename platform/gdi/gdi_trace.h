// The call-trace entries of the GDI calls whose order matters to a program's painting (selecting,
// restoring and deleting objects, the text settings), written only while the trace is on.
#pragma once

#include <string>

#include <windows.h>

#include "gdi/gdi_objects.h"

namespace handset::gdi {

std::string HandleText(const void* handle);  // "0x1A4"
std::string KindText(Kind kind);            // "font", "pen", "brush", "bitmap"
std::string ColorText(COLORREF color);      // "0x00BBGGRR"

}  // namespace handset::gdi
