// Text: DrawTextW, ExtTextOutW and TextOutW, and measuring with the selected font.

#include <string>
#include <utility>

#include <windows.h>

#include "core/api_guard.h"
#include "core/handset.h"
#include "gdi/canvas.h"
#include "gdi/gdi_state.h"
#include "gdi/real_font.h"
#include "gdi/text_layout.h"
#include "screen/screen.h"

using handset::core::Guarded;
using namespace handset::gdi;

namespace {

struct TextCall {
  explicit TextCall(HDC handle) : gdi(Gdi()), lock(gdi.Mutex()), dc(handle), context(gdi.FindDc(handle)) {
    if (context) font = RealFont::For(gdi.Describe(*context->fontObject));
  }
  explicit operator bool() const { return context != nullptr; }

  GdiState& gdi;
  std::lock_guard<std::mutex> lock;
  HDC dc;
  std::shared_ptr<DeviceContext> context;
  std::shared_ptr<const RealFont> font;
};

// A count of -1 means a terminated string; any other negative count is refused.
bool TextOf(LPCWSTR text, int count, std::u16string_view& out) {
  if (count == -1) {
    if (!text) return false;
    out = std::u16string_view(text);
    return true;
  }
  if (count < 0 || (count > 0 && !text)) return false;
  out = std::u16string_view(text ? text : u"", static_cast<std::size_t>(count));
  return true;
}

// One line of text with the device context's colours: the background behind it when the mode is
// opaque, and the line under the character a prefix marked.
void DrawLine(Canvas& canvas, const DeviceContext& dc, const RealFont& font, int x, int top, const TextLine& line) {
  if (dc.bkMode == OPAQUE) canvas.Fill({x, top, x + line.width, top + font.Height()}, dc.bkColor);
  canvas.Text(x, top, line.text, font, dc.textColor);
  if (line.underline >= 0) {
    std::u16string_view text(line.text);
    int left = x + font.Width(text.substr(0, static_cast<std::size_t>(line.underline)));
    int width = font.Width(text.substr(static_cast<std::size_t>(line.underline), 1));
    int y = top + font.Ascent() + 1;
    canvas.Fill({left, y, left + width, y + 1}, dc.textColor);
  }
}

}  // namespace

extern "C" {

int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  return Guarded<int>(0, [&]() -> int {
    TextCall call(dc);
    std::u16string_view string;
    if (!call || !rect || !TextOf(text, count, string)) return 0;
    TextLayout layout = LayOutText(string, format, rect->right - rect->left, *call.font);
    int height = layout.Height();
    if (format & DT_CALCRECT) {
      rect->right = rect->left + layout.width;
      rect->bottom = rect->top + height;
      return height;
    }

    int top = rect->top;
    bool singleLine = (format & DT_SINGLELINE) != 0;
    if (singleLine && (format & DT_VCENTER))
      top = rect->top + (rect->bottom - rect->top - height) / 2;
    else if (singleLine && (format & DT_BOTTOM))
      top = rect->bottom - height;

    Canvas canvas(*call.context);
    if (canvas) {
      if (!(format & DT_NOCLIP)) canvas.ClipTo(*rect);
      int y = top;
      for (const TextLine& line : layout.lines) {
        int x = format & DT_CENTER  ? rect->left + (rect->right - rect->left - line.width) / 2
                : format & DT_RIGHT ? rect->right - line.width
                                    : rect->left;
        DrawLine(canvas, *call.context, *call.font, x, y, line);
        y += layout.lineHeight;
      }
    }

    DrawCall record = DescribeCall("DrawTextW", dc, *call.context);
    record.rect = *rect;
    record.text = std::u16string(string);
    record.flags = format;
    for (const TextLine& line : layout.lines) record.lines.push_back(line.text);
    call.gdi.Record(std::move(record));
    // Placed lower than the top, the text's height is counted from the rectangle's top.
    return singleLine && (format & (DT_VCENTER | DT_BOTTOM)) ? top + height - rect->top : height;
  });
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const int* dx) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    TextCall call(dc);
    if (!call || (count > 0 && !text)) return FALSE;
    std::u16string_view string(text ? text : u"", count);
    Canvas canvas(*call.context);
    if (canvas) {
      if (rect && (options & ETO_OPAQUE)) canvas.Fill(*rect, call.context->bkColor);
      if (rect && (options & ETO_CLIPPED)) canvas.ClipTo(*rect);
      TextLine line{std::u16string(string), call.font->Width(string), -1};
      DrawLine(canvas, *call.context, *call.font, x, y, line);
    }
    DrawCall record = DescribeCall("ExtTextOutW", dc, *call.context);
    record.points = {{x, y}};
    if (rect) record.rect = *rect;
    record.text = std::u16string(string);
    record.flags = options;
    call.gdi.Record(std::move(record));
    return TRUE;
  });
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (count < 0) return FALSE;
    return ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
  });
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    TextCall call(dc);
    if (!call || !size || count < 0 || (count > 0 && !text)) return FALSE;
    std::u16string_view string(text ? text : u"", static_cast<std::size_t>(count));
    *size = {call.font->Width(string), call.font->Height()};
    return TRUE;
  });
}

BOOL GetTextMetricsW(HDC dc, LPTEXTMETRICW metrics) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    TextCall call(dc);
    if (!call || !metrics) return FALSE;
    const RealFont& font = *call.font;
    LOGFONTW description = call.gdi.Describe(*call.context->fontObject);
    TEXTMETRICW tm{};
    tm.tmHeight = font.Height();
    tm.tmAscent = font.Ascent();
    tm.tmDescent = font.Descent();
    tm.tmInternalLeading = font.InternalLeading();
    tm.tmAveCharWidth = font.AveCharWidth();
    tm.tmMaxCharWidth = font.MaxCharWidth();
    tm.tmWeight = description.lfWeight ? description.lfWeight : FW_NORMAL;
    int dpi = handset::core::State<handset::screen::Screen>().Dpi();
    tm.tmDigitizedAspectX = dpi;
    tm.tmDigitizedAspectY = dpi;
    tm.tmFirstChar = u' ';
    tm.tmLastChar = u'\xFFFC';
    tm.tmDefaultChar = u'?';
    tm.tmBreakChar = u' ';
    tm.tmItalic = description.lfItalic;
    tm.tmUnderlined = description.lfUnderline;
    tm.tmStruckOut = description.lfStrikeOut;
    // The low bit set means a variable pitch, as TEXTMETRIC has it; the fonts are outline fonts.
    tm.tmPitchAndFamily = TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE | FF_SWISS;
    tm.tmCharSet = description.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : description.lfCharSet;
    *metrics = tm;
    return TRUE;
  });
}

}  // extern "C"

