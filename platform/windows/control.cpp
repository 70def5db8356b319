#include "handset/windows.h"

#include "windows/window_manager.h"

namespace handset::windows {
namespace {

WindowInfo Describe(WindowManager& manager, HWND handle) {
  WindowInfo info;
  info.handle = handle;
  if (auto window = manager.Find(handle)) {
    info.className = manager.ClassName(*window);
    info.text = manager.Text(*window);
  }
  info.id = static_cast<int>(manager.GetData(handle, GWLP_ID, 8).value_or(0));
  info.rect = manager.WindowRectOnScreen(handle).value_or(RECT{});
  info.visible = manager.IsVisible(handle);
  info.enabled = manager.IsEnabled(handle);
  for (HWND child : manager.Children(handle)) info.children.push_back(Describe(manager, child));
  return info;
}

}  // namespace

std::vector<WindowInfo> TopLevelWindows() {
  auto& manager = Windows();
  std::vector<WindowInfo> windows;
  for (HWND handle : manager.TopLevel()) windows.push_back(Describe(manager, handle));
  return windows;
}

}  // namespace handset::windows
