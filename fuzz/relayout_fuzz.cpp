// RelayoutDialogFromTemplate on arbitrary bytes as a dialog template resource. The bytes become the
// RT_DIALOG resource 1 of a module registered in memory, beside a bitmap the template may name; the
// relayout moves the controls of one dialog that lives for the whole run, with a control of every
// class the relayout treats apart and ids 1 to 8 and 0xFFFF. The dialog stays hidden, so the run
// spends its time in the relayout rather than in painting. The resource is exactly as long as the
// input, so AddressSanitizer catches any read past its end.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "handset/handset.h"
#include "handset/modules.h"
#include "options/template_relayout.h"

namespace {

// A dialog template with a font and no items; the controls are added as windows.
#pragma pack(push, 2)
struct StageTemplate {
  DLGTEMPLATE header;
  WORD menu;
  WORD windowClass;
  WORD title;
  WORD pointSize;
  WCHAR face[7];
};
#pragma pack(pop)

const StageTemplate kStageTemplate = {{WS_POPUP | DS_SETFONT, 0, 0, 0, 0, 120, 160}, 0, 0, 0, 8, u"Tahoma"};

INT_PTR CALLBACK StageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct StageControl {
  const char16_t* className;
  DWORD style;
  int id;
};

const StageControl kControls[] = {
    {u"static", SS_LEFT, 1},    {u"static", SS_ICON, 2}, {u"static", SS_BITMAP, 3},   {u"button", BS_PUSHBUTTON, 4},
    {u"listbox", 0, 5},         {u"combobox", CBS_DROPDOWNLIST, 6}, {u"edit", ES_AUTOHSCROLL, 7},
    {u"button", BS_AUTOCHECKBOX, 8}, {u"static", SS_LEFT, 0xFFFF},
};

// A 2 x 2 bitmap of 24 bits per pixel, as a bitmap resource holds it (no file header).
std::vector<std::byte> BitmapResource() {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = 2;
  header.biHeight = 2;
  header.biPlanes = 1;
  header.biBitCount = 24;
  std::vector<std::byte> bytes(sizeof header + 2 * 8, std::byte{0x7F});
  std::memcpy(bytes.data(), &header, sizeof header);
  return bytes;
}

HWND Stage() {
  static HWND dialog = [] {
    handset::Reset();
    HWND stage = CreateDialogIndirectParamW(nullptr, &kStageTemplate.header, nullptr, StageProc, 0);
    int y = 0;
    for (const StageControl& control : kControls) {
      HWND window = CreateWindowExW(0, control.className, u"text", WS_CHILD | WS_VISIBLE | control.style, 0, y, 60, 12,
                                    stage, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.id)), nullptr,
                                    nullptr);
      if (window != nullptr && (control.id == 5 || control.id == 6)) {
        bool list = control.id == 5;
        for (const char16_t* entry : {u"one", u"two", u"three"})
          SendMessageW(window, list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        SendMessageW(window, list ? LB_SETCURSEL : CB_SETCURSEL, 2, 0);
      }
      y += 14;
    }
    return stage;
  }();
  return dialog;
}

}  // namespace

// fontconfig keeps what it allocates for the dialog's font for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  HWND dialog = Stage();
  handset::InMemoryModule module;
  module.resources.push_back({WORD{5}, WORD{1}, std::vector<std::byte>(reinterpret_cast<const std::byte*>(data),
                                                                     reinterpret_cast<const std::byte*>(data) + size)});
  module.resources.push_back({WORD{2}, WORD{1}, BitmapResource()});
  handset::RegisterModule(u"fuzzed.dll", std::move(module));
  HMODULE instance = LoadLibraryW(u"fuzzed.dll");
  if (instance == nullptr) return 0;
  RelayoutDialogFromTemplate(instance, dialog, 1);
  FreeLibrary(instance);
  // The dialog's thread goes on as a page's does: it handles what the relayout left in its queue.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  return 0;
}
