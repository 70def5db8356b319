// The opt-in record of Win32 calls made on the handset, for tests that must prove an order.
//
// Each entry names the function and carries the arguments that matter, as readable text:
//   RegCreateKeyExW / RegOpenKeyExW  {full key path as written, result}   e.g. {"HKLM\SoftWare\Zarvo", "0"}
//   RegQueryValueExW / RegSetValueExW / RegDeleteValueW  {full key path, value name, result}
//   RegCloseKey      {full key path}
//   RegDeleteKeyW / RegFlushKey / RegQueryInfoKeyW  {full key path, result}
//   RegEnumKeyExW / RegEnumValueW  {full key path, index, result}
//   (a handle the registry does not know shows as "<invalid handle>" in place of its path)
//   LoadLibraryW {file name}, GetProcAddressW {name or "#ordinal"}, FreeLibrary {file name}
//   CreateThread {}, TerminateThread {exit code}, CloseHandle {kind}
//   FindWindowW {class, title}, SendMessageW / PostMessageW {message as 0x hex}
//   CreateFontIndirectW {lfHeight, lfWeight, face, new handle}, CreatePen {style, width, colour,
//   new handle}, CreateSolidBrush {colour, new handle}, SelectObject {kind, handle, previous},
//   DeleteObject {kind, handle, "1" or "0"}, SetTextColor / SetBkColor {colour}, SetBkMode {mode}
//   (kinds "font", "pen", "brush", "bitmap"; handles "0x1A4"; colours COLORREF "0x00BBGGRR")
// Key paths start with the root's short name (HKLM, HKCU, HKCR, HKU) and keep the letter case in
// which the caller wrote each component.
#pragma once

#include <string>
#include <vector>

namespace handset::trace {

struct Call {
  std::string function;
  std::vector<std::string> args;
};

void Start();  // clears the record and starts recording
void Stop();
std::vector<Call> Calls();
// Only the calls of one function, in order.
std::vector<Call> Calls(const std::string& function);

}  // namespace handset::trace
