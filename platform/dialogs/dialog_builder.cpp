#include "dialogs/dialog_builder.h"
#include "dialogs/dialog_focus.h"

#include <cstdint>
#include <string>

#include "dialogs/base_units.h"
#include "dialogs/dialog_records.h"
#include "handset/dialog_template.h"
#include "dialogs/dialog_class.h"
#include "windows/window_metrics.h"

namespace handset::dialogs {
namespace {

LONG MulDivRounded(LONG value, LONG numerator, LONG denominator) {
  std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  std::int64_t half = denominator / 2;
  return static_cast<LONG>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

// A class field: "Dialog" when empty, an atom, or a name.
LPCWSTR ClassArgument(const NameOrOrdinal& field, std::u16string& storage, LPCWSTR whenEmpty) {
  if (field.ordinal) {
    storage = ControlClassName(field);
    return storage.c_str();
  }
  if (field.name.empty()) return whenEmpty;
  storage = field.name;
  return storage.c_str();
}

// A standard template's id is a WORD: 0xFFFF stays 65535.
HMENU ItemId(const DialogItem& item) { return reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)); }

// Where the dialog's window goes: its client area is the template's rectangle, around it the
// frame its style asks for; a top-level dialog lies relative to its owner's client area unless
// DS_ABSALIGN puts it on the screen or DS_CENTER centres it there.
RECT DialogWindowRect(const DialogTemplate& t, SIZE units, HWND owner) {
  RECT client = DialogUnitsToPixels({t.x, t.y, t.x + t.cx, t.y + t.cy}, units);
  RECT insets = windows::NonClientInsets(t.style);
  LONG width = (client.right - client.left) + insets.left + insets.right;
  LONG height = (client.bottom - client.top) + insets.top + insets.bottom;
  POINT at{client.left, client.top};
  if (!(t.style & WS_CHILD)) {
    if (t.style & DS_CENTER) {
      at = {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
    } else if (owner && !(t.style & DS_ABSALIGN)) {
      ClientToScreen(owner, &at);
    }
  }
  return {at.x, at.y, at.x + width, at.y + height};
}

bool CreateControls(HWND dialog, const DialogTemplate& t, HINSTANCE instance, HFONT font, SIZE units) {
  for (const auto& item : t.items) {
    std::u16string classStorage;
    LPCWSTR className = ClassArgument(item.windowClass, classStorage, u"static");
    LPCWSTR title = item.title.ordinal ? MAKEINTRESOURCEW(*item.title.ordinal) : item.title.name.c_str();
    RECT r = DialogUnitsToPixels({item.x, item.y, item.x + item.cx, item.y + item.cy}, units);
    HWND control = CreateWindowExW(item.exStyle, className, title, item.style | WS_CHILD, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, dialog, ItemId(item), instance,
                                   item.creationData.empty() ? nullptr : const_cast<std::uint8_t*>(item.creationData.data()));
    if (!control) {
      if (!(t.style & DS_NOFAILCREATE)) return false;
      continue;
    }
    if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return true;
}

void InitialFocus(HWND dialog, const DialogTemplate& t, LPARAM param) {
  HWND first = FirstFocusTarget(dialog);
  if (!SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) || !IsWindow(dialog)) return;
  // An invisible DS_CONTROL dialog is a part of another window, which keeps the focus it has.
  if ((t.style & DS_CONTROL) && !(t.style & WS_VISIBLE)) return;
  // TRUE asks for the first control that takes the tab key, as it is now.
  first = FirstFocusTarget(dialog);
  if (first) {
    FocusControl(first);
  } else if (!(t.style & WS_CHILD)) {
    SetFocus(dialog);
  }
}

}  // namespace

RECT DialogUnitsToPixels(const RECT& units, SIZE baseUnits) {
  return {MulDivRounded(units.left, baseUnits.cx, 4), MulDivRounded(units.top, baseUnits.cy, 8),
          MulDivRounded(units.right, baseUnits.cx, 4), MulDivRounded(units.bottom, baseUnits.cy, 8)};
}

HWND BuildDialog(const DialogRequest& request) {
  auto read = ReadDialogTemplate(request.source.data, request.source.size);
  if (!read) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  DialogTemplate& t = *read.dialog;
  t.style = (t.style & ~request.removeStyle) | request.addStyle;
  HFONT font = nullptr;
  if (t.font)
    font = CreateDialogFont(t.font->pointSize, t.font->weight, t.font->italic, t.font->charset, t.font->face.c_str());
  SIZE units = BaseUnitsOf(font);
  RECT place = DialogWindowRect(t, units, request.owner);

  std::u16string classStorage;
  LPCWSTR className = ClassArgument(t.windowClass, classStorage, kDialogClass);
  // A dialog that is not a child is an owned pop-up, whatever else its style says.
  DWORD style = t.style & ~WS_VISIBLE;
  if (!(style & WS_CHILD)) style |= WS_POPUP;
  HWND dialog = CreateWindowExW(t.exStyle, className, t.title.c_str(), style, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, request.owner, nullptr,
                                request.instance, nullptr);
  if (!dialog) {
    if (font) DeleteObject(font);
    return nullptr;
  }
  auto record = GetDialogRecord(dialog);
  record->font = font;
  record->ownsFont = font != nullptr;
  record->baseUnits = units;
  record->templateId = request.source.id;
  SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(request.procedure));
  if (font) SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);

  if (!CreateControls(dialog, t, request.instance, font, units)) {
    DestroyWindow(dialog);
    return nullptr;
  }
  if (request.procedure) InitialFocus(dialog, t, request.param);
  if (IsWindow(dialog) && (t.style & WS_VISIBLE) && !IsWindowVisible(dialog)) {
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
  }
  return IsWindow(dialog) ? dialog : nullptr;
}

}  // namespace handset::dialogs
