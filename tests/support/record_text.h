// The text of a library record's WCHAR field as UTF-16 units, comparable with u"..." on the handset
// (where WCHAR is char16_t) and on Windows (where it is wchar_t) alike.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

inline std::u16string RecordText(const WCHAR* text) {
  std::u16string units;
  for (; *text != 0; ++text) units += static_cast<char16_t>(*text);
  return units;
}

}  // namespace testing_support
