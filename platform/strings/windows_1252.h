// Windows-1252, the Western code page of the platform's older text files (REGEDIT4 registry files).
#pragma once

#include <string>
#include <string_view>

namespace handset::strings {

// Each byte is one character; the five bytes the code page leaves undefined map to the control
// characters of the same value, as the platform's conversion does.
std::u16string Windows1252ToUtf16(std::string_view bytes);

}  // namespace handset::strings
