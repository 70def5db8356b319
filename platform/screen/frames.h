// The screen's frames: a number that grows each time the screen's pixels change, and a wait for
// a newer one from any thread. Drawing only marks the screen as touched, which costs nothing; the
// pixels are held against those of the last frame counted when someone asks, so a drawing that
// leaves them as they were counts no frame, and a burst of drawing between two questions counts one.
// Every member expects the caller to hold the screen's drawing lock.
#pragma once

#include <cairo.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace handset::screen {

class Frames {
 public:
  // The picture a fresh screen starts with is frame 0.
  explicit Frames(cairo_surface_t* first);

  // Whoever draws on the screen's surface, or replaces it, says so here; waiters wake.
  void Touch();
  // The number of the frame `current` shows, counting a new one when its pixels differ from the
  // last frame's.
  std::uint64_t Count(cairo_surface_t* current);
  // Waits on the held drawing lock until the screen is touched or `deadline` passes (false).
  bool WaitForTouch(std::unique_lock<std::mutex>& drawing, std::chrono::steady_clock::time_point deadline);

 private:
  // Copies the pixels of `surface`, with its size, into `pixels_`; false when they were the same.
  bool Take(cairo_surface_t* surface);

  std::condition_variable touched_;
  std::uint64_t touches_ = 0;
  std::uint64_t touchesCounted_ = 0;  // touches_ at the last count
  std::uint64_t number_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::vector<unsigned char> pixels_;  // the last frame counted
};

}  // namespace handset::screen
