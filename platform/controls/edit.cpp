// The "edit" class: one line (or several) of text that the user types into. EM_LIMITTEXT limits
// what typing and EM_REPLACESEL may add (text set with WM_SETTEXT is not cut); a character that
// would pass the limit is refused with EN_MAXTEXT. Each change the user makes is announced with
// EN_UPDATE and EN_CHANGE.
#include <windows.h>

#include <algorithm>
#include <string>

#include "controls/control_support.h"
#include "controls/standard_classes.h"

namespace handset::controls {
namespace {

constexpr std::size_t kNoLimit = 0x7FFFFFFE;

struct EditRecord {
  std::size_t limit = kNoLimit;
  std::size_t selStart = 0;
  std::size_t selEnd = 0;
  bool modified = false;
  bool focused = false;
  HFONT font = nullptr;
};

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }

void SetText(HWND window, const std::u16string& text) { DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }

void Changed(HWND window, EditRecord& record) {
  record.modified = true;
  InvalidateRect(window, nullptr, TRUE);
  Notify(window, EN_UPDATE);
  Notify(window, EN_CHANGE);
}

void ClampSelection(EditRecord& record, std::size_t length) {
  record.selStart = std::min(record.selStart, length);
  record.selEnd = std::min(record.selEnd, length);
}

// Puts `insert` in place of the selection, cut to what the limit leaves room for. Returns whether
// anything changed; `refused` tells that the limit cut something.
bool ReplaceSelection(HWND window, EditRecord& record, std::u16string insert, bool& refused) {
  auto text = TextOf(window);
  ClampSelection(record, text.size());
  std::size_t from = std::min(record.selStart, record.selEnd), to = std::max(record.selStart, record.selEnd);
  std::size_t kept = text.size() - (to - from);
  std::size_t room = record.limit > kept ? record.limit - kept : 0;
  refused = insert.size() > room;
  if (refused) insert.resize(room);
  if (insert.empty() && from == to) return false;
  text.replace(from, to - from, insert);
  SetText(window, text);
  record.selStart = record.selEnd = from + insert.size();
  return true;
}

bool Accepts(DWORD style, WCHAR c) {
  if (style & ES_NUMBER) return c >= u'0' && c <= u'9';
  return c >= 0x20 || ((style & ES_MULTILINE) && (c == u'\r' || c == u'\n'));
}

WCHAR Cased(DWORD style, WCHAR c) {
  if ((style & ES_UPPERCASE) && c >= u'a' && c <= u'z') return static_cast<WCHAR>(c - u'a' + u'A');
  if ((style & ES_LOWERCASE) && c >= u'A' && c <= u'Z') return static_cast<WCHAR>(c - u'A' + u'a');
  return c;
}

void TypeCharacter(HWND window, EditRecord& record, WCHAR c) {
  DWORD style = StyleOf(window);
  if (style & ES_READONLY) return;
  if (c == u'\b') {
    auto text = TextOf(window);
    ClampSelection(record, text.size());
    if (record.selStart == record.selEnd) {
      if (record.selStart == 0) return;
      record.selStart -= 1;
    }
    bool refused;
    if (ReplaceSelection(window, record, u"", refused)) Changed(window, record);
    return;
  }
  if (!Accepts(style, c)) return;
  bool refused;
  bool changed = ReplaceSelection(window, record, std::u16string(1, Cased(style, c)), refused);
  if (changed) Changed(window, record);
  if (refused) Notify(window, EN_MAXTEXT);
}

void MoveCaret(HWND window, EditRecord& record, WPARAM key) {
  std::size_t length = TextOf(window).size();
  ClampSelection(record, length);
  std::size_t caret = record.selEnd;
  switch (key) {
    case VK_LEFT:
      caret = caret ? caret - 1 : 0;
      break;
    case VK_RIGHT:
      caret = std::min(caret + 1, length);
      break;
    case VK_HOME:
      caret = 0;
      break;
    case VK_END:
      caret = length;
      break;
    case VK_DELETE: {
      if (StyleOf(window) & ES_READONLY) return;
      if (record.selStart == record.selEnd) record.selEnd = std::min(caret + 1, length);
      bool refused;
      if (ReplaceSelection(window, record, u"", refused)) Changed(window, record);
      return;
    }
    default:
      return;
  }
  record.selStart = record.selEnd = caret;
  InvalidateRect(window, nullptr, TRUE);
}

void Paint(HWND window, EditRecord& record, HDC dc, const RECT& client) {
  DWORD style = StyleOf(window);
  bool enabled = IsWindowEnabled(window) != FALSE;
  // A read-only or disabled edit is coloured as a static, as on Win32.
  HBRUSH brush = ColorsFromParent(window, dc, enabled && !(style & ES_READONLY) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
  if (brush) FillRect(dc, &client, brush);
  FontScope font(dc, record.font);
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  auto text = TextOf(window);
  if (style & ES_PASSWORD) text.assign(text.size(), u'*');
  RECT textRect{client.left + 2, client.top + 1, client.right - 2, client.bottom - 1};
  UINT format = DT_NOPREFIX | ((style & ES_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
  if (style & ES_CENTER) format |= DT_CENTER;
  if (style & ES_RIGHT) format |= DT_RIGHT;
  if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &textRect, format);
  if (record.focused && !(style & ES_MULTILINE)) {
    // The caret, after the characters before it.
    SIZE before{0, 0};
    std::size_t caret = std::min(record.selEnd, text.size());
    if (caret) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(caret), &before);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    LONG x = textRect.left + before.cx;
    LONG top = client.top + ((client.bottom - client.top) - metrics.tmHeight) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, x, top, nullptr);
    LineTo(dc, x, top + metrics.tmHeight);
    SelectObject(dc, previous);
    DeleteObject(pen);
  }
}

}  // namespace

LRESULT EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = RecordOf<EditRecord>(window);
  if (!record) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      record->selStart = record->selEnd = TextOf(window).size();
      return 0;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      record->selStart = record->selEnd = 0;
      record->modified = false;
      InvalidateRect(window, nullptr, TRUE);
      if (!(StyleOf(window) & ES_MULTILINE)) {
        Notify(window, EN_UPDATE);
        Notify(window, EN_CHANGE);
      }
      return result;
    }
    case WM_CHAR:
      TypeCharacter(window, *record, static_cast<WCHAR>(wParam));
      return 0;
    case WM_KEYDOWN:
      MoveCaret(window, *record, wParam);
      return 0;
    case EM_LIMITTEXT:
      record->limit = wParam ? static_cast<std::size_t>(wParam) : kNoLimit;
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(record->limit);
    case EM_SETSEL: {
      std::size_t length = TextOf(window).size();
      auto start = static_cast<LONG_PTR>(static_cast<int>(wParam));
      auto end = static_cast<LONG_PTR>(static_cast<int>(lParam));
      if (start < 0) {  // no selection: the caret stays where the selection ended
        record->selStart = record->selEnd = std::min(record->selEnd, length);
      } else {
        record->selStart = std::min(static_cast<std::size_t>(start), length);
        record->selEnd = end < 0 ? length : std::min(static_cast<std::size_t>(end), length);
        if (record->selStart > record->selEnd) std::swap(record->selStart, record->selEnd);
      }
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case EM_GETSEL: {
      ClampSelection(*record, TextOf(window).size());
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(record->selStart);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(record->selEnd);
      return MAKELRESULT(record->selStart, record->selEnd);
    }
    case EM_REPLACESEL: {
      auto text = reinterpret_cast<LPCWSTR>(lParam);
      bool refused;
      if (ReplaceSelection(window, *record, text ? std::u16string(text) : std::u16string(), refused))
        Changed(window, *record);
      if (refused) Notify(window, EN_MAXTEXT);
      return 0;
    }
    case EM_GETMODIFY:
      return record->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
      record->modified = wParam != 0;
      return 0;
    case EM_SETREADONLY: {
      DWORD style = StyleOf(window);
      SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
      InvalidateRect(window, nullptr, TRUE);
      return TRUE;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TrackFocus(window, message, record->focused);
      Notify(window, message == WM_SETFOCUS ? EN_SETFOCUS : EN_KILLFOCUS);
      return 0;
    default:
      return ControlDefault(window, message, wParam, lParam, *record, Paint);
  }
}

}  // namespace handset::controls
