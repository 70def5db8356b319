// The scripted user's steps on what the shell and the common controls put up: the soft keys of
// the bar serving the modal window, the tabs of a sheet, and the pictures of the picker.
#pragma once

#include <string>

#include "handset/user.h"
#include "dialogs/modal_frame.h"

namespace handset::user {

// Each answers empty when done, else why the step could not be taken.
std::string PressSoftKey(const actions::SoftKey& key, const dialogs::ModalFrame& frame);
std::string ChangeTab(const actions::ChangeTab& tab, const dialogs::ModalFrame& frame);
std::string PickPicture(const actions::Pick& pick, const dialogs::ModalFrame& frame);

}  // namespace handset::user
