#include "core/handset.h"
#include "handset/shell.h"
#include "shell/input_panel.h"
#include "shell/menu_bar.h"
#include "shell/picture_view.h"
#include "windows/window_manager.h"

namespace handset::shell {
namespace {

InputPanel& Panel() { return core::State<InputPanel>(); }

}  // namespace

void ShowInputPanel(bool shown) { Panel().Show(shown); }
bool InputPanelShown() { return Panel().Shown(); }
void SetInputPanelRect(const RECT& rect) { Panel().SetRect(rect); }
RECT InputPanelRect() { return Panel().Rect(); }

std::vector<std::u16string> SoftKeyLabels() {
  std::vector<std::u16string> labels;
  for (const auto& key : SoftKeysOf(SoftKeyBarFor(nullptr))) labels.push_back(key.label);
  return labels;
}

std::vector<std::u16string> PickerEntries() {
  std::vector<std::u16string> entries;
  for (HWND window : windows::Windows().TopLevel()) {
    HWND view = GetDlgItem(window, kPictureViewId);
    WCHAR name[32];
    if (!view || !IsWindowVisible(window) || !GetClassNameW(view, name, 32) || std::u16string_view(name) != kPictureViewClass)
      continue;
    for (const auto& picture : PicturesOf(view)) entries.push_back(picture.path);
  }
  return entries;
}

}  // namespace handset::shell
