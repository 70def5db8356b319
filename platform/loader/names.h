// Names that Windows compares without regard to case: module file names and resource names.
// They are upper-cased with the device runtime's own case mapping.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace handset::loader {

inline std::u16string UpperCase(std::u16string_view text) {
  std::u16string out(text);
  for (WCHAR& c : out) c = towupper(c);
  return out;
}

inline bool SameName(std::u16string_view a, std::u16string_view b) { return UpperCase(a) == UpperCase(b); }

}  // namespace handset::loader
