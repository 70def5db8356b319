// Control API of the screen audit: what a person would see wrong on the screen now. A control off
// the screen or outside the window it belongs to, a text cut off by its control, two controls on
// top of each other, a control that takes input hidden under another window.
#pragma once

#include <string>
#include <vector>

#include <windef.h>

namespace handset::audit {
struct Finding {
  std::string kind;    // "outside-screen", "outside-parent", "clipped-text", "overlap",
                       // "covered"
  HWND window;         // the window it is about
  int id;              // its control id (0 for none)
  std::string detail;  // what a person would see, e.g. "text \"Show number/name\" needs
                       // 131 px, control is 120 px wide"
};
std::vector<Finding> CheckScreen();  // every visible window on the screen now
}  // namespace handset::audit
