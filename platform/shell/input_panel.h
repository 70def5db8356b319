// The handset's soft input panel: hidden at start, docked along the bottom of the screen. Its place
// follows the screen's size and resolution until the control API sets one.
#pragma once

#include <windows.h>

#include <mutex>
#include <optional>

namespace handset::shell {

class InputPanel {
 public:
  bool Shown() const;
  void Show(bool shown);
  // The panel's rectangle on the screen, shown or not.
  RECT Rect() const;
  void SetRect(const RECT& rect);
  // The part of the screen that the panel leaves uncovered: all of it while the panel is hidden.
  RECT VisibleDesktop() const;

 private:
  mutable std::mutex mutex_;
  bool shown_ = false;
  std::optional<RECT> rect_;
};

}  // namespace handset::shell
