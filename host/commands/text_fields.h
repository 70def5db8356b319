// Conversions between the library's fixed UTF-16 fields and the UTF-8 of the command line.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace vlmhost {

std::string FieldText(const WCHAR* field, std::size_t capacity);
// Stores text in a field of `capacity` units with its terminator; a CommandError names the field
// when the text does not fit.
void SetFieldText(WCHAR* field, std::size_t capacity, const std::string& text, const std::string& fieldName);

}  // namespace vlmhost
