#include "windows/window_tree.h"

#include <algorithm>

namespace handset::windows {

WindowTree::WindowTree() : desktop_(std::make_shared<Window>()) {
  desktop_->state = WindowState::Alive;
  desktop_->style = WS_VISIBLE;
}

void WindowTree::Link(const std::shared_ptr<Window>& window, const std::shared_ptr<Window>& parent) {
  window->parent = parent;
  auto& siblings = parent->children;
  if (parent == desktop_)
    siblings.insert(siblings.begin(), window);
  else
    siblings.push_back(window);
}

void WindowTree::Unlink(Window& window) {
  if (auto parent = window.parent.lock()) {
    auto& siblings = parent->children;
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [&](const auto& w) { return w.get() == &window; }),
                   siblings.end());
  }
  window.parent.reset();
}

std::vector<std::shared_ptr<Window>> WindowTree::Subtree(const std::shared_ptr<Window>& window) const {
  std::vector<std::shared_ptr<Window>> windows{window};
  for (std::size_t i = 0; i < windows.size(); ++i) {
    // Depth first: a window's children follow it directly, before its next sibling's subtree.
    const auto& children = windows[i]->children;
    windows.insert(windows.begin() + static_cast<std::ptrdiff_t>(i) + 1, children.begin(), children.end());
  }
  return windows;
}

std::vector<std::shared_ptr<Window>> WindowTree::TopLevelWindows() const { return desktop_->children; }

std::shared_ptr<Window> WindowTree::TopLevelAncestor(const std::shared_ptr<Window>& window) const {
  auto current = window;
  for (;;) {
    auto parent = current->parent.lock();
    if (!parent || parent == desktop_) return current;
    current = parent;
  }
}

}  // namespace handset::windows
