// Window text and the dialog-item shorthands, which all go through the windows' procedures.
#include <windows.h>

#include <string>

#include "core/api_guard.h"

using handset::core::Guarded;
using std::u16string;

extern "C" {

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    if (!IsWindow(window)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
  });
}

int GetWindowTextW(HWND window, LPWSTR buffer, int capacity) {
  return Guarded<int>(0, [&]() -> int {
    if (!buffer || capacity <= 0) return 0;
    buffer[0] = 0;
    if (!IsWindow(window)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    return static_cast<int>(SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(buffer)));
  });
}

int GetWindowTextLengthW(HWND window) {
  return Guarded<int>(0, [&]() -> int {
    if (!IsWindow(window)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  });
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowTextW(item, text) : FALSE;
  });
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int capacity) {
  return Guarded<UINT>(0, [&]() -> UINT {
    if (buffer && capacity > 0) buffer[0] = 0;
    HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(GetWindowTextW(item, buffer, capacity)) : 0;
  });
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    u16string text;
    long long number = isSigned ? static_cast<long long>(static_cast<int>(value)) : static_cast<long long>(value);
    for (char c : std::to_string(number)) text.push_back(static_cast<char16_t>(c));
    return SetDlgItemTextW(dialog, id, text.c_str());
  });
}

// The number at the start of the item's text (after blanks), as Win32 reads it: FALSE in
// `translated` when there is none, trailing text or it does not fit.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  return Guarded<UINT>(0, [&]() -> UINT {
    if (translated) *translated = FALSE;
    WCHAR buffer[64];
    if (!GetDlgItemTextW(dialog, id, buffer, 64)) return 0;
    const WCHAR* p = buffer;
    while (*p == u' ' || *p == u'\t') ++p;
    bool negative = false;
    if (isSigned && (*p == u'-' || *p == u'+')) negative = *p++ == u'-';
    if (*p < u'0' || *p > u'9') return 0;
    long long value = 0;
    for (; *p >= u'0' && *p <= u'9'; ++p) {
      value = value * 10 + (*p - u'0');
      if (value > 0xFFFFFFFFLL) return 0;
    }
    while (*p == u' ' || *p == u'\t') ++p;
    if (*p) return 0;
    if (negative) value = -value;
    if (isSigned && (value < INT32_MIN || value > INT32_MAX)) return 0;
    if (translated) *translated = TRUE;
    return static_cast<UINT>(value);
  });
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&]() -> LRESULT {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageW(item, message, wParam, lParam) : 0;
  });
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    HWND item = GetDlgItem(dialog, id);
    if (!item) return FALSE;
    SendMessageW(item, BM_SETCHECK, check, 0);
    return TRUE;
  });
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return Guarded<UINT>(0, [&]() -> UINT {
    return static_cast<UINT>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0));
  });
}

}  // extern "C"
