// A host program outside the tree: built against the installed SDK only, it loads vlmrc.dll by name
// and reads the VT option settings as the host phone application does.
#include <vlmrc/vlmrc.h>
#include <windows.h>

#include <cstdio>

int main() {
  HMODULE library = LoadLibraryW(TEXT("vlmrc.dll"));
  if (library == NULL) {
    std::printf("LoadLibraryW failed: %u\n", GetLastError());
    return 1;
  }
  auto get = reinterpret_cast<decltype(&GetVTOptSetting)>(
      reinterpret_cast<void (*)()>(GetProcAddressW(library, TEXT("GetVTOptSetting"))));
  if (get == NULL) return 2;
  VTOptSetting settings = {};
  get(&settings);
  std::printf("bMirrorCamera=%d\n", settings.bMirrorCamera);
  FreeLibrary(library);
  return 0;
}
