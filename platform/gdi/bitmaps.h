// Making bitmap objects from pixels.
#pragma once

#include <windows.h>

#include "gdi/bmp_reader.h"

namespace handset::gdi {

// A new bitmap handle holding the decoded pixels; null when no surface can be made.
HBITMAP NewBitmap(const DecodedBitmap& pixels);

}  // namespace handset::gdi
