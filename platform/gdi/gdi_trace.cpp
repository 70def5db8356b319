#include "gdi/gdi_trace.h"

#include <cstdio>

#include "core/handle_table.h"

namespace handset::gdi {

std::string HandleText(const void* handle) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", core::HandleTable::ToValue(handle));
  return text;
}

std::string KindText(Kind kind) {
  switch (kind) {
    case Kind::Font:
      return "font";
    case Kind::Pen:
      return "pen";
    case Kind::Brush:
      return "brush";
    case Kind::Bitmap:
      return "bitmap";
    case Kind::Region:
      return "region";
  }
  return "?";
}

std::string ColorText(COLORREF color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", color);
  return text;
}

}  // namespace handset::gdi
