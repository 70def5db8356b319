// How DrawTextW lays text out: mnemonic prefixes, tabs, line breaks, word breaking and ellipses,
// measured with the device context's font.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include "gdi/real_font.h"

namespace handset::gdi {

struct TextLine {
  std::u16string text;
  int width = 0;
  int underline = -1;  // the index in `text` of the character a prefix marks, or -1
};

struct TextLayout {
  std::vector<TextLine> lines;
  int width = 0;       // of the widest line
  int lineHeight = 0;
  int Height() const { return static_cast<int>(lines.size()) * lineHeight; }
};

// `maxWidth` is the width of the caller's rectangle: where DT_WORDBREAK breaks and where an
// ellipsis cuts.
TextLayout LayOutText(std::u16string_view text, UINT format, int maxWidth, const RealFont& font);

}  // namespace handset::gdi
