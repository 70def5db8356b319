// Conversions between the handset's UTF-16 strings and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace handset {

std::string Utf8(std::u16string_view text);
std::u16string Utf16(std::string_view text);

}  // namespace handset
