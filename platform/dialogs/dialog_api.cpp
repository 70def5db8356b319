#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/api_guard.h"
#include "dialogs/dialog_box.h"
#include "dialogs/dialog_builder.h"
#include "dialogs/dialog_records.h"
#include "dialogs/base_units.h"

using handset::core::Guarded;
using namespace handset::dialogs;

namespace {

bool IsTabStop(HWND window) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

}  // namespace

extern "C" {

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC dialogProc,
                                LPARAM initParam) {
  return Guarded<HWND>(nullptr, [&]() -> HWND {
    if (!dialogTemplate) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    return BuildDialog({instance, TemplateInMemory(instance, dialogTemplate), owner, dialogProc, initParam});
  });
}

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC dialogProc,
                                LPARAM initParam) {
  return Guarded<INT_PTR>(-1, [&]() -> INT_PTR {
    if (!dialogTemplate) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return -1;
    }
    return RunDialogBox({instance, TemplateInMemory(instance, dialogTemplate), owner, dialogProc, initParam});
  });
}

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC dialogProc, LPARAM initParam) {
  return Guarded<HWND>(nullptr, [&]() -> HWND {
    auto source = TemplateByName(instance, templateName);
    if (!source) return nullptr;
    return BuildDialog({instance, *source, owner, dialogProc, initParam});
  });
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC dialogProc, LPARAM initParam) {
  return Guarded<INT_PTR>(-1, [&]() -> INT_PTR {
    auto source = TemplateByName(instance, templateName);
    if (!source) return -1;
    return RunDialogBox({instance, *source, owner, dialogProc, initParam});
  });
}

// Ends a dialog: its result is kept for the modal loop, which ends at its next look; the owner
// is enabled again and the dialog hidden at once, as on Win32.
BOOL EndDialog(HWND dialog, INT_PTR result) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto record = IsWindow(dialog) ? FindDialogRecord(dialog) : nullptr;
    if (!record) {
      SetLastError(ERROR_WINDOW_NOT_DIALOG);
      return FALSE;
    }
    record->result = result;
    record->ended = true;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (record->ownerDisabled && owner) {
      record->ownerDisabled = false;
      EnableWindow(owner, TRUE);
    }
    if (IsChild(dialog, GetFocus())) SetFocus(dialog);
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    PostMessageW(dialog, WM_NULL, 0, 0);  // wakes the loop
    return TRUE;
  });
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  return Guarded<HWND>(nullptr, [&]() -> HWND {
    std::vector<HWND> stops;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (IsTabStop(child) || child == control) stops.push_back(child);
    if (stops.empty()) return nullptr;
    auto at = std::find(stops.begin(), stops.end(), control);
    std::size_t n = stops.size();
    if (at == stops.end()) {  // from no control: the first (or, backwards, the last)
      for (std::size_t i = 0; i < n; ++i) {
        HWND candidate = stops[previous ? n - 1 - i : i];
        if (IsTabStop(candidate)) return candidate;
      }
      return nullptr;
    }
    std::size_t index = static_cast<std::size_t>(at - stops.begin());
    for (std::size_t step = 1; step <= n; ++step) {
      HWND candidate = stops[(index + (previous ? n - step : step)) % n];
      if (IsTabStop(candidate)) return candidate;
    }
    return nullptr;
  });
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    auto record = IsWindow(dialog) ? FindDialogRecord(dialog) : nullptr;
    if (!record || !rect) {
      SetLastError(record ? ERROR_INVALID_PARAMETER : ERROR_WINDOW_NOT_DIALOG);
      return FALSE;
    }
    if (!record->baseUnits.cx) record->baseUnits = BaseUnitsOf(record->font);
    *rect = DialogUnitsToPixels(*rect, record->baseUnits);
    return TRUE;
  });
}

LONG GetDialogBaseUnits(void) {
  return Guarded<LONG>(0, [&]() -> LONG {
    SIZE units = BaseUnitsOf(nullptr);
    return MAKELONG(units.cx, units.cy);
  });
}

// The keys a dialog takes for itself: Tab moves the focus, Enter presses the default button,
// Escape presses Cancel. Every other message of the dialog and its controls is dispatched.
BOOL IsDialogMessageW(HWND dialog, LPMSG msg) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!msg || !IsWindow(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) return FALSE;
    if (msg->message == WM_KEYDOWN) {
      LRESULT code = SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
      if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) {
        switch (msg->wParam) {
          case VK_TAB:
            if (code & DLGC_WANTTAB) break;
            SendMessageW(dialog, WM_NEXTDLGCTL, 0, 0);
            return TRUE;
          case VK_RETURN: {
            HWND focus = GetFocus();
            LRESULT focusCode = focus ? SendMessageW(focus, WM_GETDLGCODE, 0, 0) : 0;
            // A focused push button is the one pressed; otherwise the dialog's default button.
            int id = (focusCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
                         ? GetDlgCtrlID(focus)
                         : LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0));
            HWND button = GetDlgItem(dialog, id);
            if (!button || IsWindowEnabled(button))
              SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            return TRUE;
          }
          case VK_ESCAPE:
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return TRUE;
          default:
            break;
        }
      }
    }
    TranslateMessage(msg);
    DispatchMessageW(msg);
    return TRUE;
  });
}

}  // extern "C"
