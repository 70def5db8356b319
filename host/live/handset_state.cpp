#include "live/handset_state.h"

#include <windows.h>

#include "handset/debug.h"
#include "handset/devices.h"
#include "handset/modules.h"
#include "handset/screen.h"
#include "handset/shell.h"
#include "handset/text.h"
#include "handset/user.h"
#include "handset/windows.h"

namespace vlmhost::live {
namespace {

namespace devices = handset::devices;

void AddVisible(const handset::windows::WindowInfo& window, const std::string& title, int depth, Json& list) {
  if (!window.visible) return;
  list.push_back({{"class", handset::Utf8(window.className)},
                  {"title", title},
                  {"template", handset::windows::DialogTemplate(window.handle)},
                  {"id", window.id},
                  {"text", handset::Utf8(window.text)},
                  {"enabled", window.enabled},
                  {"rect", {window.rect.left, window.rect.top, window.rect.right, window.rect.bottom}},
                  {"depth", depth}});
  for (const auto& child : window.children) AddVisible(child, title, depth + 1, list);
}

// The lamp lights with the driver's lit phases and darkens with its off command or the last close.
Json DescribeLed() {
  auto commands = devices::LedCommands();
  bool lit = !commands.empty() && commands.back().record[0] != devices::kLedOff && devices::OpenLedHandles() > 0;
  return {{"lit", lit}, {"commands", commands.size()}, {"open handles", devices::OpenLedHandles()}};
}

// The control id of the window with the focus (read on the host thread, whose focus it is); 0 for
// none or a window without an id.
int FocusedId() {
  HWND focus = GetFocus();
  return focus ? GetDlgCtrlID(focus) : 0;
}

Json DescribeBattery() {
  SYSTEM_POWER_STATUS_EX status = devices::PowerStatus();
  return {{"percent", status.BatteryLifePercent},
          {"charging", status.ACLineStatus == AC_LINE_ONLINE},
          {"idle timer resets", devices::IdleTimerResets()}};
}

}  // namespace

Json DescribeHandset(std::size_t debugSince) {
  auto size = handset::screen::CurrentSize();
  Json windows = Json::array();
  for (const auto& window : handset::windows::TopLevelWindows())
    AddVisible(window, handset::Utf8(window.text), 0, windows);
  Json softKeys = Json::array();
  for (const auto& label : handset::shell::SoftKeyLabels()) softKeys.push_back(handset::Utf8(label));
  auto lines = handset::debug::Lines();
  Json debug = Json::array();
  for (std::size_t i = debugSince; i < lines.size(); ++i) debug.push_back(handset::Utf8(lines[i]));
  char language[8];
  std::snprintf(language, sizeof(language), "%04X", handset::UILanguage());
  return {{"frame", handset::screen::FrameNumber()},
          {"screen", {{"width", size.width}, {"height", size.height}, {"angle", handset::screen::Angle()},
                      {"dpi", handset::screen::Dpi()}}},
          {"modal", handset::user::ModalStack()},
          {"windows", windows},
          {"focus", FocusedId()},
          {"soft keys", softKeys},
          {"input panel", handset::shell::InputPanelShown()},
          {"language", language},
          {"led", DescribeLed()},
          {"battery", DescribeBattery()},
          {"debug", {{"lines", debug}, {"next", lines.size()}}}};
}

}  // namespace vlmhost::live
