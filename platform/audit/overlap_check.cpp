// Controls of one window that lie on top of each other, and controls that take input lying under
// another window. A group box drawn around its members is not an overlap; a control of a window
// that is disabled (the owner of a modal window) takes no input, so a window over it hides
// nothing a person could use.
#include <windows.h>

#include <string>

#include "audit/audited_window.h"

namespace handset::audit {
namespace {

bool IsGroupBox(const windows::WindowInfo& window) {
  return ClassIs(window, u"button") && (GetWindowLongW(window.handle, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool Frames(const windows::WindowInfo& frame, const windows::WindowInfo& member) {
  return IsGroupBox(frame) && Contains(frame.rect, member.rect);
}

std::string Size(const RECT& rect) {
  return std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top) + " px";
}

}  // namespace

void CheckOverlap(const std::vector<AuditedWindow>& siblings, std::vector<Finding>& findings) {
  for (std::size_t i = 0; i < siblings.size(); ++i) {
    for (std::size_t j = i + 1; j < siblings.size(); ++j) {
      const auto& first = *siblings[i].info;
      const auto& second = *siblings[j].info;
      RECT common{};
      if (!Intersect(first.rect, second.rect, common) || Frames(first, second) || Frames(second, first)) continue;
      findings.push_back(MakeFinding("overlap", second,
                                     Describe(second) + " lies over " + Describe(first) + " (" + Size(common) + ")"));
    }
  }
}

void CheckCovered(const AuditedWindow& window, const std::vector<const windows::WindowInfo*>& above,
                  std::vector<Finding>& findings) {
  if (!window.takesInput) return;
  for (const windows::WindowInfo* cover : above) {
    RECT hidden{};
    if (!Intersect(window.shown, cover->rect, hidden)) continue;
    findings.push_back(MakeFinding("covered", *window.info,
                                   Describe(*window.info) + " lies under " + Describe(*cover) + " (" + Size(hidden) +
                                       " hidden), where it cannot be tapped"));
    return;
  }
}

}  // namespace handset::audit
