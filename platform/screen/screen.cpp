#include "screen/screen.h"

#include "screen/rotation_setting.h"

#include <algorithm>
#include <array>
#include <utility>

namespace handset::screen {
namespace {

struct Size {
  int width;
  int height;
};
constexpr std::array<Size, 7> kSupportedSizes{{
    {240, 320}, {240, 240}, {320, 240}, {480, 640}, {640, 480}, {480, 800}, {800, 480}}};

}  // namespace

Screen::Screen() : surface_(MakeSurface(geometry_.width, geometry_.height)), frames_(surface_.get()) {}

Geometry Screen::Current() const {
  std::lock_guard lock(mutex_);
  return geometry_;
}

int Screen::Dpi() const {
  auto geometry = Current();
  return DpiFor(geometry.width, geometry.height);
}

SurfacePtr Screen::Surface() const {
  std::lock_guard lock(mutex_);
  return surface_;
}

SurfacePtr Screen::SurfaceToDrawOn() {
  frames_.Touch();
  return Surface();
}

std::uint64_t Screen::FrameNumber() {
  std::lock_guard drawing(drawingMutex_);
  return frames_.Count(Surface().get());
}

bool Screen::WaitForFrame(std::uint64_t after, std::chrono::milliseconds limit) {
  // A limit longer than the clock can count on waits as long as it can.
  using Clock = std::chrono::steady_clock;
  auto now = Clock::now();
  auto room = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::time_point::max() - now);
  auto deadline = limit < room ? now + std::max(limit, std::chrono::milliseconds(0)) : Clock::time_point::max();
  std::unique_lock drawing(drawingMutex_);
  while (frames_.Count(Surface().get()) <= after)
    if (!frames_.WaitForTouch(drawing, deadline)) return false;
  return true;
}

bool Screen::Supported(int width, int height) {
  return std::any_of(kSupportedSizes.begin(), kSupportedSizes.end(),
                     [&](const Size& s) { return s.width == width && s.height == height; });
}

// The short side tells the panel's class: 240 pixels for quarter VGA, 480 for VGA and wide VGA.
int Screen::DpiFor(int width, int height) { return std::min(width, height) >= 480 ? 192 : 96; }

bool Screen::SetSize(int width, int height) {
  if (!Supported(width, height)) return false;
  Geometry geometry = Current();
  geometry.width = width;
  geometry.height = height;
  Store(geometry);
  Notify(geometry);
  return true;
}

bool Screen::Rotate(int angle) {
  if (angle != 0 && angle != 90 && angle != 180 && angle != 270) return false;
  Geometry geometry = Current();
  bool wasLandscapeTurn = geometry.angle % 180 != 0;
  bool isLandscapeTurn = angle % 180 != 0;
  if (wasLandscapeTurn != isLandscapeTurn) std::swap(geometry.width, geometry.height);
  geometry.angle = angle;
  Store(geometry);
  PublishAngle(angle);
  Notify(geometry);
  return true;
}

void Screen::OnChange(Listener listener) {
  std::lock_guard lock(mutex_);
  listeners_.push_back(std::move(listener));
}

// The drawing lock first, as a drawing call takes the locks: a new surface is a new frame.
void Screen::Store(const Geometry& geometry) {
  std::lock_guard drawing(drawingMutex_);
  std::lock_guard lock(mutex_);
  if (geometry.width != geometry_.width || geometry.height != geometry_.height) {
    surface_ = MakeSurface(geometry.width, geometry.height);
    frames_.Touch();
  }
  geometry_ = geometry;
}

void Screen::Notify(const Geometry& geometry) const {
  std::vector<Listener> listeners;
  {
    std::lock_guard lock(mutex_);
    listeners = listeners_;
  }
  for (auto& listener : listeners) listener(geometry);
}

}  // namespace handset::screen
