// The platform's printf-style formatter, shared by wsprintfW and the kernel debug output.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace handset::strings {

// The size of wsprintfW's output, terminator included: at most 1023 characters and the terminator
// are written, so that a caller's buffer of 1024 units always suffices.
inline constexpr std::size_t kFormatLimit = 1024;
inline constexpr std::size_t kFormatCharacters = kFormatLimit - 1;

// Formats as wsprintfW does: %[-][#][0][width][.precision][h|l|w|I|I32|I64]type with the types
// c C d i u x X s S p; a '%' followed by any other character writes that character ("%%" is '%').
// %s takes a WCHAR string and %hs a char string (each byte one character), %c a WCHAR and %hc a
// char; a null string prints "(null)" and a zero character prints nothing. Writes at most
// `capacity` characters and no terminator; the output is cut there. Returns the count written.
std::size_t Format(char16_t* out, std::size_t capacity, const char16_t* format, va_list args);

}  // namespace handset::strings
