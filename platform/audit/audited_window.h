// The screen audit's view of one visible window: where it is, where its parent lets it show, and
// how a person would name it in a finding.
#pragma once

#include <string>
#include <vector>

#include "handset/audit.h"
#include "handset/windows.h"

namespace handset::audit {

struct AuditedWindow {
  const windows::WindowInfo* info = nullptr;
  const AuditedWindow* parent = nullptr;  // null for a top-level window
  RECT parentClient{};                    // the parent's client area on the screen (the screen's for a top-level)
  RECT shown{};                           // the part of the window a person can see: inside every ancestor
  bool enabled = false;                   // the window and its ancestors
  bool takesInput = false;                // enabled, and of a kind a person taps or types in
};

// Class names compare as the window manager looks them up: ignoring case.
bool ClassIs(const windows::WindowInfo& window, std::u16string_view name);

// `button "OK" (1)`, `label "Name:" (1030)`, `window "Options"`: the kind of control as a person
// says it, its text and its id.
std::string Describe(const windows::WindowInfo& window);

Finding MakeFinding(const char* kind, const windows::WindowInfo& window, std::string detail);

bool Intersect(const RECT& a, const RECT& b, RECT& out);
bool Contains(const RECT& outer, const RECT& inner);

// Each check adds what it finds to `findings`.
void CheckPlacement(const AuditedWindow& window, std::vector<Finding>& findings);
void CheckText(const AuditedWindow& window, std::vector<Finding>& findings);
void CheckOverlap(const std::vector<AuditedWindow>& siblings, std::vector<Finding>& findings);
// `above`: the visible top-level windows above the window's own, topmost first.
void CheckCovered(const AuditedWindow& window, const std::vector<const windows::WindowInfo*>& above,
                  std::vector<Finding>& findings);

}  // namespace handset::audit
