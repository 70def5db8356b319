// Names that Windows compares without regard to case: module file names, resource names, class
// names and window titles. They are upper-cased with the device runtime's own case mapping.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace handset::core {

inline std::u16string UpperCase(std::u16string_view text) {
  std::u16string out(text);
  for (WCHAR& c : out) c = towupper(c);
  return out;
}

inline bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

}  // namespace handset::core
