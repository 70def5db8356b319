#include "screen/rotation_setting.h"

#include <windows.h>

namespace handset::screen {

void PublishAngle(int angle) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  WCHAR noClass[] = u"";
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"System\\GDI\\Rotation", 0, noClass, 0, 0, nullptr, &key,
                      &disposition) != ERROR_SUCCESS)
    return;
  DWORD value = static_cast<DWORD>(angle);
  RegSetValueExW(key, u"Angle", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

}  // namespace handset::screen
