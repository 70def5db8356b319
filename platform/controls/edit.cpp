// The "edit" class: one line (or several) of text that the user types into. Each change the user
// makes is announced with EN_UPDATE and EN_CHANGE; a character that would pass the limit is refused
// with EN_MAXTEXT.
//
// Messages: WM_CHAR (Return and Tab insert "\r\n" and "\t" in a multiline edit outside a dialog;
// Ctrl+X, C, V and Z cut, copy, paste and undo), WM_KEYDOWN (caret keys, Delete; in a dialog
// Escape, Tab and Return go back to the dialog), WM_SETTEXT, WM_GETTEXT,
// WM_GETTEXTLENGTH, WM_GETDLGCODE, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, WM_UNDO, EM_UNDO,
// EM_CANUNDO, EM_EMPTYUNDOBUFFER, EM_LIMITTEXT, EM_GETLIMITTEXT, EM_SETSEL, EM_GETSEL,
// EM_REPLACESEL, EM_GETMODIFY, EM_SETMODIFY, EM_SETREADONLY, EM_SETMARGINS, EM_GETMARGINS,
// EM_GETRECT, EM_SETRECT, EM_SETRECTNP, EM_POSFROMCHAR, EM_CHARFROMPOS, WM_SETFONT, WM_GETFONT.
//
// Where Windows CE differs from desktop Win32, the edit does as CE documents: the text the user may
// enter is limited to 30,000 characters at first; EM_LIMITTEXT 0 sets 32,766 (single-line) or
// 65,535 (multiline), and no single-line limit passes 32,766; EM_POSFROMCHAR past the end answers
// -1; EM_SETMARGINS takes pixel widths only (no EC_USEFONTINFO).
//
// As on Win32: EM_LIMITTEXT limits what typing, pasting and EM_REPLACESEL add (text set with
// WM_SETTEXT is not cut); the edit keeps one step of undo, which typing in one place extends and
// which EM_UNDO reverses (so a second EM_UNDO redoes it), and WM_SETTEXT empties; a WS_BORDER edit
// draws its border inside its own client area, so the style leaves the
// window and even a 1 x 1 edit has a client area; the text is the edit's own, so once a
// WM_NCDESTROY has freed it WM_GETTEXT answers nothing (the window system of Windows CE sends no
// WM_NCDESTROY itself, but a program may). Lines are the text's "\r\n" breaks: the positions of
// EM_POSFROMCHAR and EM_CHARFROMPOS do not follow word wrapping.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "controls/control_support.h"
#include "controls/standard_classes.h"
#include "gdi/outline.h"

namespace handset::controls {
namespace {

constexpr std::size_t kInitialLimit = 30000;
constexpr std::size_t kSingleLineMaximum = 0x7FFE;
constexpr std::size_t kMultilineDefault = 0xFFFF;
constexpr std::size_t kMultilineMaximum = 0x7FFFFFFE;
constexpr int kDefaultMargin = 2;  // pixels between the text and the sides of the edit

// The one step that EM_UNDO reverses: `inserted` characters from `position` took the place of
// `removed`.
struct UndoStep {
  std::size_t position = 0;
  std::size_t inserted = 0;
  std::u16string removed;
  bool Empty() const { return inserted == 0 && removed.empty(); }
};

struct EditRecord {
  std::size_t limit = kInitialLimit;
  std::size_t selStart = 0;
  std::size_t selEnd = 0;
  bool modified = false;
  bool focused = false;
  bool border = false;     // WS_BORDER taken from the window, drawn in the client area
  bool textFreed = false;  // after WM_NCDESTROY
  bool inDialog = false;   // a dialog asked WM_GETDLGCODE for a key: its keys are the dialog's
  int leftMargin = kDefaultMargin;
  int rightMargin = kDefaultMargin;
  bool hasFormatRect = false;
  RECT formatRect{};
  UndoStep undo;
  HFONT font = nullptr;
};

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }
bool Multiline(HWND window) { return (StyleOf(window) & ES_MULTILINE) != 0; }

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

// The rectangle the text is laid out in: the client area less the margins (and the edit's own
// border), unless EM_SETRECT gave one.
RECT FormatRect(HWND window, const EditRecord& record) {
  if (record.hasFormatRect) return record.formatRect;
  RECT client;
  GetClientRect(window, &client);
  int frame = record.border ? 1 : 0;
  return {client.left + frame + record.leftMargin, client.top + frame + 1, client.right - frame - record.rightMargin,
          client.bottom - frame - 1};
}

// Notes the change at `from` (`removed` gave way to `insertedCount` characters) in the undo step:
// typing on where the last typing ended, and deleting on where the last deletion was, extend it.
void RecordUndo(EditRecord& record, std::size_t from, const std::u16string& removed, std::size_t insertedCount) {
  auto& step = record.undo;
  if (!step.Empty() && removed.empty() && from == step.position + step.inserted) {
    step.inserted += insertedCount;
  } else if (!step.Empty() && step.inserted == 0 && insertedCount == 0 && from + removed.size() == step.position) {
    step.position = from;  // backspace
    step.removed = removed + step.removed;
  } else if (!step.Empty() && step.inserted == 0 && insertedCount == 0 && from == step.position) {
    step.removed += removed;  // delete
  } else {
    step = {from, insertedCount, removed};
  }
}

// Puts `insert` in place of the selection, cut to what the limit leaves room for. Returns whether
// anything changed; `refused` tells that the limit cut something.
bool ReplaceSelection(HWND window, EditRecord& record, std::u16string insert, bool& refused, bool undoable = true) {
  auto text = TextOf(window);
  ClampSelection(record, text.size());
  std::size_t from = std::min(record.selStart, record.selEnd), to = std::max(record.selStart, record.selEnd);
  std::size_t kept = text.size() - (to - from);
  std::size_t room = record.limit > kept ? record.limit - kept : 0;
  refused = insert.size() > room;
  if (refused) insert.resize(room);
  if (insert.empty() && from == to) return false;
  if (undoable) RecordUndo(record, from, text.substr(from, to - from), insert.size());
  text.replace(from, to - from, insert);
  SetText(window, text);
  record.selStart = record.selEnd = from + insert.size();
  return true;
}

void ReplaceAndNotify(HWND window, EditRecord& record, const std::u16string& insert) {
  bool refused;
  if (ReplaceSelection(window, record, insert, refused)) Changed(window, record);
  if (refused) Notify(window, EN_MAXTEXT);
}

// EM_UNDO: the last step reversed, the text it brings back selected, and the reverse kept as the
// step to undo next.
bool Undo(HWND window, EditRecord& record) {
  if (record.undo.Empty()) return false;
  auto text = TextOf(window);
  UndoStep step = record.undo;
  std::size_t position = std::min(step.position, text.size());
  std::size_t inserted = std::min(step.inserted, text.size() - position);
  std::u16string taken = text.substr(position, inserted);
  text.replace(position, inserted, step.removed);
  SetText(window, text);
  record.undo = {position, step.removed.size(), taken};
  record.selStart = position;
  record.selEnd = position + step.removed.size();
  Changed(window, record);
  return true;
}

std::u16string Selected(HWND window, EditRecord& record) {
  auto text = TextOf(window);
  ClampSelection(record, text.size());
  std::size_t from = std::min(record.selStart, record.selEnd), to = std::max(record.selStart, record.selEnd);
  return text.substr(from, to - from);
}

// WM_COPY: the selection onto the clipboard as CF_UNICODETEXT. A password is never copied.
void Copy(HWND window, EditRecord& record) {
  if (StyleOf(window) & ES_PASSWORD) return;
  auto selected = Selected(window, record);
  if (selected.empty()) return;
  UINT bytes = static_cast<UINT>((selected.size() + 1) * sizeof(WCHAR));
  HLOCAL data = LocalAlloc(LMEM_FIXED, bytes);
  if (!data) return;
  std::memcpy(data, selected.c_str(), bytes);
  if (!OpenClipboard(window)) {
    LocalFree(data);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, data)) LocalFree(data);
  CloseClipboard();
}

// WM_PASTE: the clipboard's CF_UNICODETEXT in place of the selection; a single-line edit takes
// the first line of it.
void Paste(HWND window, EditRecord& record) {
  if (StyleOf(window) & ES_READONLY) return;
  if (!OpenClipboard(window)) return;
  std::u16string pasted;
  if (auto data = GetClipboardData(CF_UNICODETEXT)) {
    auto units = static_cast<const WCHAR*>(data);
    std::size_t capacity = LocalSize(data) / sizeof(WCHAR);
    pasted.assign(units, std::find(units, units + capacity, u'\0'));
  }
  CloseClipboard();
  if (!Multiline(window)) pasted.resize(std::min(pasted.size(), pasted.find_first_of(u"\r\n")));
  if (!pasted.empty()) ReplaceAndNotify(window, record, pasted);
}

void Clear(HWND window, EditRecord& record) {
  if (StyleOf(window) & ES_READONLY) return;
  if (record.selStart != record.selEnd) ReplaceAndNotify(window, record, u"");
}

bool Accepts(DWORD style, WCHAR c) {
  if (style & ES_NUMBER) return c >= u'0' && c <= u'9';
  return c >= 0x20 || ((style & ES_MULTILINE) && c == u'\t');
}

WCHAR Cased(DWORD style, WCHAR c) {
  if ((style & ES_UPPERCASE) && c >= u'a' && c <= u'z') return static_cast<WCHAR>(c - u'a' + u'A');
  if ((style & ES_LOWERCASE) && c >= u'A' && c <= u'Z') return static_cast<WCHAR>(c - u'A' + u'a');
  return c;
}

constexpr WCHAR kCtrlC = 0x03, kCtrlV = 0x16, kCtrlX = 0x18, kCtrlZ = 0x1A;

void TypeCharacter(HWND window, EditRecord& record, WCHAR c) {
  DWORD style = StyleOf(window);
  switch (c) {
    case kCtrlC:
      return Copy(window, record);
    case kCtrlV:
      return Paste(window, record);
    case kCtrlX:
      if (style & (ES_READONLY | ES_PASSWORD)) return;
      Copy(window, record);
      return Clear(window, record);
    case kCtrlZ:
      if (!(style & ES_READONLY)) Undo(window, record);
      return;
    default:
      break;
  }
  if (style & ES_READONLY) return;
  if (c == u'\b') {
    ClampSelection(record, TextOf(window).size());
    if (record.selStart == record.selEnd) {
      if (record.selStart == 0) return;
      record.selStart -= 1;
    }
    bool refused;
    if (ReplaceSelection(window, record, u"", refused)) Changed(window, record);
    return;
  }
  // In a dialog, Return and Tab belong to the dialog (unless ES_WANTRETURN keeps Return).
  if (c == u'\r' && record.inDialog && !(style & ES_WANTRETURN)) return;
  if (c == u'\t' && record.inDialog) return;
  if (c == u'\r' || c == u'\n') {
    if (style & ES_MULTILINE) ReplaceAndNotify(window, record, u"\r\n");
    return;
  }
  if (Accepts(style, c)) ReplaceAndNotify(window, record, std::u16string(1, Cased(style, c)));
}

// The keys a multiline edit takes from its dialog (it wants them all) and hands back as Win32 does:
// Escape closes the dialog through WM_CLOSE, Tab moves the focus on, and Return without
// ES_WANTRETURN moves the focus to the default button. Answers whether the key was one of those.
bool DialogKey(HWND window, const EditRecord& record, WPARAM key) {
  if (!record.inDialog) return false;
  HWND dialog = GetParent(window);
  DWORD style = StyleOf(window);
  switch (key) {
    case VK_ESCAPE:
      if (!(style & ES_MULTILINE)) return false;
      PostMessageW(dialog, WM_CLOSE, 0, 0);
      return true;
    case VK_TAB:
      if (!(style & ES_MULTILINE)) return false;
      SendMessageW(dialog, WM_NEXTDLGCTL, FALSE, 0);  // the handset's keypad has no Shift
      return true;
    case VK_RETURN: {
      if ((style & ES_MULTILINE) && (style & ES_WANTRETURN)) return false;
      LRESULT id = SendMessageW(dialog, DM_GETDEFID, 0, 0);
      HWND button = HIWORD(id) == DC_HASDEFID ? GetDlgItem(dialog, LOWORD(id)) : nullptr;
      if (button) {
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
        PostMessageW(button, WM_KEYUP, VK_RETURN, 0);
      }
      return true;
    }
    default:
      return false;
  }
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

// The text as shown (a password as stars) cut into its lines, each with the index of its first
// character; a single-line edit has one.
struct Line {
  std::size_t start;
  std::u16string text;
};

std::vector<Line> LinesOf(HWND window) {
  auto text = TextOf(window);
  if (StyleOf(window) & ES_PASSWORD) text.assign(text.size(), u'*');
  if (!Multiline(window)) return {{0, text}};
  std::vector<Line> lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(u"\r\n", start);
    lines.push_back({start, text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start)});
    if (end == std::u16string::npos) return lines;
    start = end + 2;
  }
}

// Measures text in the edit's font.
class Measure {
 public:
  Measure(HWND window, HFONT font) : window_(window), dc_(GetDC(window)) { font_.emplace(dc_, font); }
  ~Measure() {
    font_.reset();  // the previous font back before the device context goes
    ReleaseDC(window_, dc_);
  }
  Measure(const Measure&) = delete;
  Measure& operator=(const Measure&) = delete;
  int Width(const std::u16string& text, std::size_t count) const {
    SIZE size{0, 0};
    if (count) GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(count), &size);
    return size.cx;
  }

 private:
  HWND window_;
  HDC dc_;
  std::optional<FontScope> font_;
};

LRESULT PositionOfCharacter(HWND window, EditRecord& record, std::size_t index) {
  if (index > TextOf(window).size()) return -1;
  auto lines = LinesOf(window);
  std::size_t row = 0;
  while (row + 1 < lines.size() && lines[row + 1].start <= index) ++row;
  const Line& line = lines[row];
  std::size_t column = std::min(index - line.start, line.text.size());  // a line break: past the line
  RECT format = FormatRect(window, record);
  Measure measure(window, record.font);
  int x = format.left + measure.Width(line.text, column);
  int y = Multiline(window) ? format.top + static_cast<int>(row) * LineHeight(window, record.font) : 0;
  return MAKELRESULT(static_cast<WORD>(x), static_cast<WORD>(y));
}

LRESULT CharacterAtPosition(HWND window, EditRecord& record, int x, int y) {
  auto lines = LinesOf(window);
  RECT format = FormatRect(window, record);
  std::size_t row = 0;
  if (Multiline(window) && y > format.top) {
    row = static_cast<std::size_t>((y - format.top) / LineHeight(window, record.font));
    row = std::min(row, lines.size() - 1);
  }
  const Line& line = lines[row];
  Measure measure(window, record.font);
  // The nearest boundary between characters: past a character's middle is after it.
  std::size_t column = 0;
  while (column < line.text.size() &&
         x - format.left >= (measure.Width(line.text, column) + measure.Width(line.text, column + 1) + 1) / 2)
    ++column;
  return MAKELRESULT(static_cast<WORD>(line.start + column), static_cast<WORD>(row));
}

LRESULT LimitText(HWND window, std::size_t requested) {
  bool multiline = Multiline(window);
  if (!requested) return multiline ? kMultilineDefault : kSingleLineMaximum;
  return std::min(requested, multiline ? kMultilineMaximum : kSingleLineMaximum);
}

void Paint(HWND window, EditRecord& record, HDC dc, const RECT& client) {
  DWORD style = StyleOf(window);
  bool enabled = IsWindowEnabled(window) != FALSE;
  // A read-only or disabled edit is coloured as a static, as on Win32.
  HBRUSH brush = ColorsFromParent(window, dc, enabled && !(style & ES_READONLY) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
  if (brush) FillRect(dc, &client, brush);
  // The same frame the window system draws around a WS_BORDER window.
  if (record.border) gdi::Outline(dc, client, GetSysColor(COLOR_WINDOWFRAME));
  FontScope font(dc, record.font);
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  auto text = TextOf(window);
  if (style & ES_PASSWORD) text.assign(text.size(), u'*');
  RECT textRect = FormatRect(window, record);
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
  if (record->textFreed && (message == WM_GETTEXT || message == WM_GETTEXTLENGTH)) {
    if (message == WM_GETTEXT && wParam && lParam) *reinterpret_cast<LPWSTR>(lParam) = u'\0';
    return 0;
  }
  switch (message) {
    case WM_NCDESTROY:
      record->textFreed = true;
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_CREATE: {
      // The window system sends no WM_NCCREATE, so the border leaves the window here.
      DWORD style = StyleOf(window);
      if (style & WS_BORDER) {
        record->border = true;
        SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(style & ~WS_BORDER));
      }
      record->selStart = record->selEnd = TextOf(window).size();
      return 0;
    }
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      record->selStart = record->selEnd = 0;
      record->modified = false;
      record->undo = {};
      InvalidateRect(window, nullptr, TRUE);
      if (!Multiline(window)) {
        Notify(window, EN_UPDATE);
        Notify(window, EN_CHANGE);
      }
      return result;
    }
    case WM_CHAR:
      TypeCharacter(window, *record, static_cast<WCHAR>(wParam));
      return 0;
    case WM_KEYDOWN:
      if (!DialogKey(window, *record, wParam)) MoveCaret(window, *record, wParam);
      return 0;
    case WM_CUT:  // a read-only edit copies all the same and keeps its text; a password stays
      if (StyleOf(window) & ES_PASSWORD) return 0;
      Copy(window, *record);
      Clear(window, *record);
      return 0;
    case WM_COPY:
      Copy(window, *record);
      return 0;
    case WM_PASTE:
      Paste(window, *record);
      return 0;
    case WM_CLEAR:
      Clear(window, *record);
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      // A single-line edit answers TRUE whatever it did.
      return (Undo(window, *record) || !Multiline(window)) ? TRUE : FALSE;
    case EM_CANUNDO:
      return record->undo.Empty() ? FALSE : TRUE;
    case EM_EMPTYUNDOBUFFER:
      record->undo = {};
      return 0;
    case EM_LIMITTEXT:
      record->limit = static_cast<std::size_t>(LimitText(window, static_cast<std::size_t>(wParam)));
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
      // wParam TRUE: the replacement can be undone.
      if (ReplaceSelection(window, *record, text ? std::u16string(text) : std::u16string(), refused, wParam != 0))
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
    case EM_SETMARGINS:
      if (wParam & EC_LEFTMARGIN) record->leftMargin = LOWORD(lParam);
      if (wParam & EC_RIGHTMARGIN) record->rightMargin = HIWORD(lParam);
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case EM_GETMARGINS:
      return MAKELRESULT(record->leftMargin, record->rightMargin);
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<LPRECT>(lParam) = FormatRect(window, *record);
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
      // Only a multiline edit takes a formatting rectangle; NULL gives back the default one.
      if (!Multiline(window)) return 0;
      record->hasFormatRect = lParam != 0;
      if (lParam) record->formatRect = *reinterpret_cast<const RECT*>(lParam);
      if (message == EM_SETRECT) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case EM_POSFROMCHAR:
      return PositionOfCharacter(window, *record, static_cast<std::size_t>(wParam));
    case EM_CHARFROMPOS:
      return CharacterAtPosition(window, *record, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    case WM_GETDLGCODE:
      // A multiline edit takes every key of a dialog, and gives the dialog's own back (DialogKey).
      if (lParam) record->inDialog = true;
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (Multiline(window) ? DLGC_WANTALLKEYS : 0);
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
