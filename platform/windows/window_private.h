// State that a window procedure keeps for one window besides the fields every window has: a
// control's items and font, a dialog's font, base units and result. It lives in the window, one
// slot per type: set while the window is made (a class procedure sets it at its first message,
// WM_CREATE or before), found by type on every message without any table of its own, and
// destroyed with the window once its handle is released after WM_DESTROY. From WM_DESTROY on
// nothing new can be set, so a message that comes late cannot bring back a destroyed state.
//
// The slots hand out shared pointers: a procedure that destroys its own window in the middle of a
// message keeps its state until it returns.
#pragma once

#include <memory>
#include <typeindex>

#include <windows.h>

namespace handset::windows {

namespace detail {
std::shared_ptr<void> FindPrivate(HWND window, std::type_index kind);
// Keeps `state` in the window's slot of `kind`: replacing what is there when `replace`, else only
// when the slot is empty. Returns what the slot holds afterwards; null (nothing kept) when the
// window is invalid or on its way out.
std::shared_ptr<void> KeepPrivate(HWND window, std::type_index kind, std::shared_ptr<void> state, bool replace);
}  // namespace detail

// The window's state of type T; null when it has none or the handle is not a window.
template <class T>
std::shared_ptr<T> WindowPrivate(HWND window) {
  return std::static_pointer_cast<T>(detail::FindPrivate(window, typeid(T)));
}

// Gives the window its state of type T, replacing the one it had.
template <class T>
std::shared_ptr<T> SetWindowPrivate(HWND window, std::unique_ptr<T> state) {
  return std::static_pointer_cast<T>(detail::KeepPrivate(window, typeid(T), std::shared_ptr<T>(std::move(state)), true));
}

// The window's state of type T, made (value-initialised) when a live window has none yet.
template <class T>
std::shared_ptr<T> WindowPrivateOrNew(HWND window) {
  if (auto state = WindowPrivate<T>(window)) return state;
  return std::static_pointer_cast<T>(detail::KeepPrivate(window, typeid(T), std::make_shared<T>(), false));
}

}  // namespace handset::windows
