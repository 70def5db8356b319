// Names that Windows compares without regard to letter case: class names and window titles.
#pragma once

#include <algorithm>
#include <string_view>

#include <windows.h>

namespace handset::windows {

inline bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](WCHAR x, WCHAR y) { return towupper(x) == towupper(y); });
}

}  // namespace handset::windows
