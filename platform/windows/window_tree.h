// The tree of windows under the desktop: parents, children in z-order and owners. Not locked: the
// window manager guards it with its own lock.
#pragma once

#include <memory>
#include <vector>

#include "windows/window.h"

namespace handset::windows {

class WindowTree {
 public:
  WindowTree();

  // The desktop is the root; its children are the top-level windows. It has no handle.
  const std::shared_ptr<Window>& Desktop() const { return desktop_; }

  // Puts a new window under `parent`: a top-level window goes on top of the others, a child below
  // its siblings, so that children keep their creation order (dialog controls, tab order).
  void Link(const std::shared_ptr<Window>& window, const std::shared_ptr<Window>& parent);
  void Unlink(Window& window);

  // The window and all its descendants, parents before their children, siblings in z-order.
  std::vector<std::shared_ptr<Window>> Subtree(const std::shared_ptr<Window>& window) const;
  // The top-level windows in z-order, topmost first.
  std::vector<std::shared_ptr<Window>> TopLevelWindows() const;
  // The top-level window that contains `window` (itself when it is top-level).
  std::shared_ptr<Window> TopLevelAncestor(const std::shared_ptr<Window>& window) const;

 private:
  std::shared_ptr<Window> desktop_;
};

}  // namespace handset::windows
