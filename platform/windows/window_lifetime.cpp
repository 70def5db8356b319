// Creating and destroying windows, in the order of Windows CE: CreateWindowExW sends WM_CREATE
// only (CE has no non-client messages); DestroyWindow destroys the windows it owns, sends
// WM_DESTROY to the window and then to its children, parents first, and releases them all.
#include "windows/window_manager.h"
#include "windows/window_metrics.h"

namespace handset::windows {
namespace {

// CW_USEDEFAULT gives a top-level window the whole screen, as on the handset, and a child nothing.
RECT InitialRect(const CreateParameters& p, bool topLevel) {
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  bool defaultPlace = p.x == CW_USEDEFAULT;
  bool defaultSize = p.width == CW_USEDEFAULT;
  int x = defaultPlace ? (topLevel ? screen.left : 0) : p.x;
  int y = defaultPlace ? (topLevel ? screen.top : 0) : p.y;
  int width = defaultSize ? (topLevel ? screen.right - x : 0) : p.width;
  int height = defaultSize ? (topLevel ? screen.bottom - y : 0) : p.height;
  return {x, y, x + width, y + height};
}

}  // namespace

HWND WindowManager::Create(const CreateParameters& p) {
  std::shared_ptr<Window> parent;
  if (p.parent && !(parent = Find(p.parent))) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  DWORD style = p.style;
  // CE: a window given a parent is that parent's child unless it is a pop-up, whose "parent" is
  // really its owner.
  if (parent && !(style & WS_POPUP)) style |= WS_CHILD;
  if ((style & WS_CHILD) && !parent) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }

  auto queue = CurrentQueue();
  auto window = std::make_shared<Window>();
  bool visible;
  {
    std::lock_guard lock(mutex_);
    auto windowClass = classes_.Find(p.className, p.instance);
    if (!windowClass) {
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    window->windowClass = windowClass;
    window->threadId = queue->ThreadId();
    window->queue = queue;
    window->procedure = windowClass->procedure;
    window->instance = p.instance;
    window->style = style;
    window->exStyle = p.exStyle;
    if (style & WS_CHILD) window->id = reinterpret_cast<UINT_PTR>(p.menu);
    window->extraBytes.assign(static_cast<std::size_t>(windowClass->windowExtraBytes), 0);
    // A resource ordinal in place of a name (a dialog's static showing an icon) is no text.
    if (p.windowName && !IS_INTRESOURCE(p.windowName)) window->text = p.windowName;
    window->rect = InitialRect(p, !(style & WS_CHILD));
    window->scrollBars[SB_HORZ].exists = (style & WS_HSCROLL) != 0;
    window->scrollBars[SB_VERT].exists = (style & WS_VSCROLL) != 0;

    window->handle = core::HandleTable::ToHandle<HWND>(handset_.Handles().Add(window));
    ++windowClass->windowCount;
    if (style & WS_CHILD) {
      tree_.Link(window, parent);
    } else {
      tree_.Link(window, tree_.Desktop());
      if (parent) window->owner = tree_.TopLevelAncestor(parent);
    }
    visible = IsVisibleLocked(*window);
  }
  if (visible) InvalidateArea(window, nullptr, true);

  RECT placed = window->rect;
  CREATESTRUCTW create{p.param,
                       p.instance,
                       p.menu,
                       p.parent,
                       placed.bottom - placed.top,
                       placed.right - placed.left,
                       placed.top,
                       placed.left,
                       static_cast<LONG>(style),
                       p.windowName,
                       p.className,
                       p.exStyle};
  LRESULT result = CallProcedure(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create));
  if (result == -1) Destroy(window->handle);
  // The procedure may also have destroyed the window itself while handling WM_CREATE.
  auto creating = WindowState::Creating;
  if (!window->state.compare_exchange_strong(creating, WindowState::Alive)) return nullptr;
  HWND handle = window->handle;
  SendSize(handle);
  SendMove(handle);
  // A top-level window that starts visible becomes the active one, as ShowWindow makes it.
  if (visible && !(style & (WS_CHILD | WS_DISABLED)) && IsWindow(handle)) Activate(handle);
  return IsWindow(handle) ? handle : nullptr;
}

void WindowManager::SendSize(HWND handle) {
  auto window = Find(handle);
  if (!window) return;
  RECT client;
  {
    std::lock_guard lock(mutex_);
    client = *ClientRectLocked(*window);
  }
  Send(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void WindowManager::SendMove(HWND handle) {
  auto window = Find(handle);
  if (!window) return;
  POINT origin;
  {
    std::lock_guard lock(mutex_);
    RECT insets = NonClientInsets(window->style);
    origin = {window->rect.left + insets.left, window->rect.top + insets.top};
  }
  Send(handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
}

bool WindowManager::Destroy(HWND handle) {
  auto window = Find(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  if (window->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (window->state == WindowState::Destroying) return true;  // already on its way

  // The windows it owns go first; those of other threads lose their owner instead.
  std::vector<std::shared_ptr<Window>> owned;
  {
    std::lock_guard lock(mutex_);
    for (const auto& w : tree_.TopLevelWindows()) {
      if (w->owner.lock() != window) continue;
      if (w->threadId == window->threadId)
        owned.push_back(w);
      else
        w->owner.reset();
    }
  }
  for (const auto& w : owned) Destroy(w->handle);

  // Focus and activation leave the window before it hears WM_DESTROY.
  HWND focus = Focus();
  if (focus && (focus == handle || IsDescendant(handle, focus)))
    SetFocus((window->style & WS_CHILD) ? Parent(handle) : nullptr);
  if (Active() == handle) ActivateOther(handle);
  SendDestroyMessages(window);
  Release(window);
  return true;
}

void WindowManager::SendDestroyMessages(const std::shared_ptr<Window>& window) {
  auto state = window->state.load();
  do {
    if (state == WindowState::Destroying || state == WindowState::Gone) return;
  } while (!window->state.compare_exchange_weak(state, WindowState::Destroying));
  Send(window->handle, WM_DESTROY, 0, 0);
  // The children as they are after the parent's WM_DESTROY, which may have destroyed some itself.
  std::vector<std::shared_ptr<Window>> children;
  {
    std::lock_guard lock(mutex_);
    children = window->children;
  }
  for (const auto& child : children) SendDestroyMessages(child);
}

}  // namespace handset::windows
