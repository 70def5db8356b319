// The scripted user turning the handset: to a size (its other orientation turns the display by 90
// degrees, any other supported size is set as it is) or to an angle.
#pragma once

#include <string>

#include "handset/user.h"

namespace handset::user {

// Empty on success, else why the screen could not be turned so.
std::string TurnScreen(const actions::Rotate& rotate);

}  // namespace handset::user
