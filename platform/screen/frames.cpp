#include "screen/frames.h"

#include <algorithm>

namespace handset::screen {

Frames::Frames(cairo_surface_t* first) {
  if (first) Take(first);
}

void Frames::Touch() {
  ++touches_;
  touched_.notify_all();
}

std::uint64_t Frames::Count(cairo_surface_t* current) {
  if (touches_ != touchesCounted_ && current && Take(current)) ++number_;
  touchesCounted_ = touches_;
  return number_;
}

bool Frames::WaitForTouch(std::unique_lock<std::mutex>& drawing, std::chrono::steady_clock::time_point deadline) {
  // Another thread may count the frame first; a touch seen by the number of touches is not missed.
  std::uint64_t seen = touches_;
  return touched_.wait_until(drawing, deadline, [&] { return touches_ != seen; });
}

bool Frames::Take(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  auto bytes = static_cast<std::size_t>(cairo_image_surface_get_stride(surface)) * static_cast<std::size_t>(height);
  if (width == width_ && height == height_ && bytes == pixels_.size() && std::equal(data, data + bytes, pixels_.begin()))
    return false;
  width_ = width;
  height_ = height;
  pixels_.assign(data, data + bytes);
  return true;
}

}  // namespace handset::screen
