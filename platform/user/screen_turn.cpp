#include "user/screen_turn.h"

#include "handset/screen.h"

namespace handset::user {

std::string TurnScreen(const actions::Rotate& rotate) {
  if (!rotate.width) {
    return screen::Rotate(rotate.angle) ? std::string() : "the screen cannot turn to " + std::to_string(rotate.angle);
  }
  auto size = screen::CurrentSize();
  if (size.width == rotate.width && size.height == rotate.height) return {};
  if (size.width == rotate.height && size.height == rotate.width) {
    int angle = screen::Angle();
    int turned = angle == 0 ? 90 : angle == 90 ? 0 : angle == 180 ? 270 : 180;
    if (screen::Rotate(turned)) return {};
  } else if (screen::SetSize(rotate.width, rotate.height)) {
    return {};
  }
  return "the screen cannot show " + std::to_string(rotate.width) + "x" + std::to_string(rotate.height);
}

}  // namespace handset::user
