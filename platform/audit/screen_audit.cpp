// The screen audit: every visible window on the screen now, topmost first, checked for what a
// person would see wrong with it (see handset/audit.h).
#include <windows.h>
#include <commctrl.h>

#include "audit/audited_window.h"
#include "handset/audit.h"
#include "shell/menu_bar.h"

namespace handset::audit {
namespace {

bool IsInputClass(const windows::WindowInfo& window) {
  if (ClassIs(window, u"button"))
    return (GetWindowLongW(window.handle, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
  return ClassIs(window, u"edit") || ClassIs(window, u"combobox") || ClassIs(window, u"listbox") ||
         ClassIs(window, u"scrollbar") || ClassIs(window, WC_TABCONTROLW) || ClassIs(window, shell::kMenuBarClass);
}

RECT ClientOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<LPPOINT>(&client), 2);
  return client;
}

// A top-level window takes input while it and the window it serves are enabled: the soft-key bar
// of a window that waits for a modal window over it answers no tap.
bool EnabledWithOwner(const windows::WindowInfo& window) {
  if (!window.enabled) return false;
  for (HWND owner = GetWindow(window.handle, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER))
    if (!IsWindowEnabled(owner)) return false;
  return true;
}

class Audit {
 public:
  explicit Audit(std::vector<Finding>& findings) : findings_(findings) {}

  // Checks `window` and, parent by parent, what lies inside it.
  void Visit(const AuditedWindow& window, const std::vector<const windows::WindowInfo*>& above) {
    CheckPlacement(window, findings_);
    CheckText(window, findings_);
    CheckCovered(window, above, findings_);
    RECT client = ClientOnScreen(window.info->handle);
    std::vector<AuditedWindow> children;
    for (const auto& child : window.info->children) {
      if (!child.visible) continue;
      bool enabled = window.enabled && child.enabled;
      AuditedWindow audited{&child, &window, client, {}, enabled, enabled && IsInputClass(child)};
      RECT inside{};
      Intersect(window.shown, client, inside);
      Intersect(inside, child.rect, audited.shown);
      children.push_back(audited);
    }
    CheckOverlap(children, findings_);
    for (const auto& child : children) Visit(child, above);
  }

 private:
  std::vector<Finding>& findings_;
};

}  // namespace

std::vector<Finding> CheckScreen() {
  std::vector<Finding> findings;
  auto topLevel = windows::TopLevelWindows();
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  std::vector<const windows::WindowInfo*> above;
  Audit audit(findings);
  for (const auto& window : topLevel) {
    if (!window.visible) continue;
    bool enabled = EnabledWithOwner(window);
    AuditedWindow audited{&window, nullptr, screen, {}, enabled, enabled && IsInputClass(window)};
    Intersect(screen, window.rect, audited.shown);
    audit.Visit(audited, above);
    above.push_back(&window);
  }
  return findings;
}

}  // namespace handset::audit
