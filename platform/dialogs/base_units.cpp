#include "dialogs/base_units.h"

#include <algorithm>

namespace handset::dialogs {

SIZE BaseUnitsOf(HFONT font) {
  static const WCHAR kAlphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE units{4, 8};
  HDC dc = GetDC(nullptr);
  if (!dc) return units;
  HGDIOBJ previous = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  SIZE extent{0, 0};
  TEXTMETRICW metrics{};
  if (GetTextExtentPoint32W(dc, kAlphabet, 52, &extent) && GetTextMetricsW(dc, &metrics)) {
    units.cx = (extent.cx / 26 + 1) / 2;
    units.cy = metrics.tmHeight;
  }
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  units.cx = std::max<LONG>(units.cx, 1);
  units.cy = std::max<LONG>(units.cy, 1);
  return units;
}

HFONT CreateDialogFont(int pointSize, int weight, bool italic, BYTE charset, LPCWSTR face) {
  HDC dc = GetDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  LOGFONTW description{};
  // Points to pixels, rounded as MulDiv rounds; negative: the height of the characters.
  description.lfHeight = -((pointSize * dpi + 36) / 72);
  description.lfWeight = weight ? weight : FW_NORMAL;
  description.lfItalic = italic ? 1 : 0;
  description.lfCharSet = charset;
  if (face) lstrcpynW(description.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&description);
}

}  // namespace handset::dialogs
