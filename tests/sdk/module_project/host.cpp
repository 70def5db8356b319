// Loads greeter.dll and its German resource module by name and prints the greeting found by the
// export's name and by its ordinal, before and after the UI language becomes German.
#include <windows.h>

#include <cstdio>
#include <string>

#include "handset/modules.h"
#include "handset/text.h"

using GreetingFunction = int (*)(WCHAR*, int);

std::string Call(FARPROC address) {
  if (address == NULL) return "(no export)";
  WCHAR buffer[64];
  int length = reinterpret_cast<GreetingFunction>(reinterpret_cast<void (*)()>(address))(buffer, 64);
  return handset::Utf8(std::u16string_view(buffer, length));
}

int main() {
  HMODULE greeter = LoadLibraryW(TEXT("greeter.dll"));
  HMODULE german = LoadLibraryW(TEXT("greeter.dll.0407.mui"));
  if (greeter == NULL || german == NULL) {
    std::printf("LoadLibraryW failed: %u %s\n", GetLastError(), handset::LastLoadFailure().c_str());
    return 1;
  }
  std::printf("by name: %s\n", Call(GetProcAddressW(greeter, TEXT("Greeting"))).c_str());
  handset::SetUILanguage(0x0407);
  std::printf("by ordinal: %s\n", Call(GetProcAddressW(greeter, MAKEINTRESOURCEW(5))).c_str());
  WCHAR text[64];
  int length = LoadStringW(german, 1, text, 64);
  std::printf("from the resource module: %s\n", handset::Utf8(std::u16string_view(text, length)).c_str());
  FreeLibrary(german);
  FreeLibrary(greeter);
  return 0;
}
