// Names that Windows compares without regard to case: module file names and resource names.
// They are upper-cased the way the platform does for the characters such names use (ASCII).
#pragma once

#include <string>
#include <string_view>

namespace handset::loader {

inline std::u16string UpperCase(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return out;
}

inline bool SameName(std::u16string_view a, std::u16string_view b) { return UpperCase(a) == UpperCase(b); }

}  // namespace handset::loader
