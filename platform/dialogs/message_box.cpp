// MessageBoxW: a modal window with the message, an icon and a row of buttons, laid out for the
// handset's screen, run by the same modal loop as dialog boxes. The buttons are captioned in the
// phone's user-interface language, as the system's own resources caption them (US English for a
// language the handset has no captions of). Escape chooses Cancel when there
// is one, or OK when it is the only button, as on Win32; the scripted user answers it with any of
// its buttons.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/api_guard.h"
#include "dialogs/dialog_box.h"
#include "dialogs/dialog_records.h"
#include "dialogs/modal_loop.h"
#include "dialogs/dialog_class.h"

using handset::core::Guarded;
using namespace handset::dialogs;

namespace {

struct ButtonSpec {
  int id;
  const WCHAR* label;
};

// The captions of the buttons by their ids (IDOK to IDNO), in one language.
struct Captions {
  WORD primaryLanguage;
  const WCHAR* byId[IDNO + 1];
};
constexpr Captions kCaptions[] = {
    {LANG_ENGLISH, {nullptr, u"OK", u"Cancel", u"Abort", u"Retry", u"Ignore", u"Yes", u"No"}},
    {LANG_GERMAN, {nullptr, u"OK", u"Abbrechen", u"Abbrechen", u"Wiederholen", u"Ignorieren", u"Ja", u"Nein"}},
};

const Captions& CaptionsOfUILanguage() {
  WORD primary = PRIMARYLANGID(GetUserDefaultUILanguage());
  for (const auto& captions : kCaptions)
    if (captions.primaryLanguage == primary) return captions;
  return kCaptions[0];
}

std::vector<int> ButtonIdsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    default:
      return {IDOK};
  }
}

std::vector<ButtonSpec> ButtonsOf(UINT type) {
  const Captions& captions = CaptionsOfUILanguage();
  std::vector<ButtonSpec> buttons;
  for (int id : ButtonIdsOf(type)) buttons.push_back({id, captions.byId[id]});
  return buttons;
}

// The answer of a box closed without a choice: Cancel, OK when it stands alone, else the answer
// that declines.
int CancelResult(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return IDOK;
    case MB_YESNO:
      return IDNO;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    default:
      return IDCANCEL;
  }
}

LPCWSTR IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      return IDI_HAND;
    case MB_ICONQUESTION:
      return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
      return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
      return IDI_ASTERISK;
    default:
      return nullptr;
  }
}

INT_PTR MessageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
  int id = LOWORD(wParam);
  // Escape presses Cancel; without a Cancel button it counts only when OK stands alone.
  if (GetDlgItem(box, id)) {
    EndDialog(box, id);
  } else if (id == IDCANCEL && GetDlgItem(box, IDOK) && !GetDlgItem(box, IDYES) && !GetDlgItem(box, IDRETRY)) {
    EndDialog(box, IDOK);
  }
  return TRUE;
}

int Scaled(int pixels) { return pixels * GetSystemMetrics(SM_CXICON) / 32; }

struct Layout {
  RECT box;
  RECT icon;
  RECT text;
  std::vector<RECT> buttons;
};

Layout LayOut(const std::u16string& text, bool hasIcon, const std::vector<ButtonSpec>& buttonSpecs) {
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int margin = Scaled(8), iconSize = GetSystemMetrics(SM_CXICON);
  int buttonHeight = Scaled(24), captionHeight = GetSystemMetrics(SM_CYCAPTION);
  int width = screenWidth - 2 * margin;
  int textLeft = margin + (hasIcon ? iconSize + margin : 0);
  RECT textRect{textLeft, margin, width - margin, margin};
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  RECT measured{0, 0, textRect.right - textRect.left, 0};
  DrawTextW(dc, text.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  // The buttons are as wide as the longest caption needs (a language's captions may be longer than
  // US English ones), at least the usual width. When a row of them does not fit the box they stand
  // one under another.
  int buttonWidth = Scaled(64);
  for (const auto& button : buttonSpecs) {
    SIZE extent{};
    GetTextExtentPoint32W(dc, button.label, static_cast<int>(std::char_traits<char16_t>::length(button.label)), &extent);
    buttonWidth = std::max<int>(buttonWidth, extent.cx + 2 * Scaled(6));
  }
  int count = static_cast<int>(buttonSpecs.size());
  int room = width - 2 * margin;
  bool inRow = count * buttonWidth + (count - 1) * margin <= room;
  buttonWidth = std::min(buttonWidth, room);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  textRect.bottom = textRect.top + std::max<LONG>(measured.bottom, hasIcon ? iconSize : 0);

  Layout layout;
  layout.icon = {margin, margin, margin + iconSize, margin + iconSize};
  layout.text = textRect;
  int top = textRect.bottom + margin;
  if (inRow) {
    int x = (width - (count * buttonWidth + (count - 1) * margin)) / 2;
    for (int i = 0; i < count; ++i, x += buttonWidth + margin)
      layout.buttons.push_back({x, top, x + buttonWidth, top + buttonHeight});
    top += buttonHeight;
  } else {
    int x = (width - buttonWidth) / 2, gap = margin / 2;
    for (int i = 0; i < count; ++i, top += buttonHeight + gap)
      layout.buttons.push_back({x, top, x + buttonWidth, top + buttonHeight});
    top -= gap;
  }
  int height = top + margin + captionHeight + 2;
  int boxTop = std::max(0, (screenHeight - height) / 2);
  layout.box = {margin, boxTop, margin + width, boxTop + height};
  return layout;
}

HWND CreateBox(HWND owner, const std::u16string& text, LPCWSTR caption, UINT type) {
  auto buttons = ButtonsOf(type);
  LPCWSTR iconName = IconOf(type);
  Layout layout = LayOut(text, iconName != nullptr, buttons);
  HWND box = CreateWindowExW(0, handset::dialogs::kDialogClass, caption ? caption : u"Error",
                             WS_POPUP | WS_CAPTION | WS_BORDER, layout.box.left, layout.box.top,
                             layout.box.right - layout.box.left, layout.box.bottom - layout.box.top, owner, nullptr,
                             nullptr, nullptr);
  if (!box) return nullptr;
  GetDialogRecord(box);
  SetWindowLongPtrW(box, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(MessageBoxProc));
  if (iconName) {
    const RECT& r = layout.icon;
    HWND icon = CreateWindowExW(0, u"static", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, box, reinterpret_cast<HMENU>(0xFFFF), nullptr, nullptr);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, iconName)), 0);
  }
  const RECT& t = layout.text;
  CreateWindowExW(0, u"static", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, t.left, t.top,
                  t.right - t.left, t.bottom - t.top, box, reinterpret_cast<HMENU>(0xFFFF), nullptr, nullptr);
  std::size_t defaultIndex = std::min<std::size_t>((type & MB_DEFMASK) >> 8, buttons.size() - 1);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const RECT& r = layout.buttons[i];
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    CreateWindowExW(0, u"button", buttons[i].label, style, r.left, r.top, r.right - r.left, r.bottom - r.top, box,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(buttons[i].id)), nullptr, nullptr);
  }
  SendMessageW(box, DM_SETDEFID, static_cast<WPARAM>(buttons[defaultIndex].id), 0);
  ShowWindow(box, SW_SHOWNORMAL);
  SetFocus(GetDlgItem(box, buttons[defaultIndex].id));
  return box;
}

}  // namespace

extern "C" int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  return Guarded<int>(0, [&]() -> int {
    owner = TopLevelOf(owner);
    std::u16string message = text ? text : u"";
    HWND box = CreateBox(owner, message, caption, type);
    if (!box) return 0;
    auto record = GetDialogRecord(box);
    if (owner && IsWindowEnabled(owner)) {
      EnableWindow(owner, FALSE);
      record->ownerDisabled = true;
    }
    handset::dialogs::ModalFrame frame;
    frame.kind = handset::dialogs::ModalKind::MessageBox;
    frame.window = box;
    frame.text = message;
    frame.ended = [record, box] { return record->ended.load() || !IsWindow(box); };
    frame.cancel = [box, type] { EndDialog(box, CancelResult(type)); };
    frame.answer = [box](int result) {
      HWND button = GetDlgItem(box, result);
      if (!button) return false;
      SendMessageW(button, BM_CLICK, 0, 0);
      return true;
    };
    RunModalLoop(frame);
    if (record->ownerDisabled && IsWindow(owner)) EnableWindow(owner, TRUE);
    int result = static_cast<int>(record->result);
    if (IsWindow(box)) DestroyWindow(box);
    return result;
  });
}
