// The scripted user's steps on what the shell and the common controls put up: the soft keys of
// the bar serving the modal window, the tabs of a sheet, and the pictures of the picker. Each
// finds where a finger would touch; the step runner then taps there once it is in sight.
#pragma once

#include <optional>
#include <string>

#include <windows.h>

#include "handset/user.h"
#include "dialogs/modal_frame.h"

namespace handset::user {

struct ShellPoint {
  std::string why;            // why the step cannot be taken; empty when it can
  HWND window = nullptr;      // the window to tap; null when the step was done without a tap
  std::optional<RECT> part;   // the part of it, in its client coordinates (the whole window if none)
};

ShellPoint SoftKeyPoint(const actions::SoftKey& key, const dialogs::ModalFrame& frame);
ShellPoint TabPoint(const actions::ChangeTab& tab, const dialogs::ModalFrame& frame);
ShellPoint PicturePoint(const actions::Pick& pick, const dialogs::ModalFrame& frame);

}  // namespace handset::user
