// The handset's screen: its size, its rotation, its resolution, the surface that everything is
// drawn on and its frames. The window manager hears of every change through a listener, so that it
// can tell the top-level windows and resize the full-screen ones.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "screen/frames.h"
#include "screen/surface.h"

namespace handset::screen {

struct Geometry {
  int width = 240;
  int height = 320;
  int angle = 0;  // degrees: 0, 90, 180 or 270
};

class Screen {
 public:
  Screen();

  Geometry Current() const;
  // Dots per inch: 96 on the quarter-VGA screens, 192 on the VGA and wide-VGA ones.
  int Dpi() const;
  // The surface drawn on now. A change of size replaces it; a drawing that still holds the old
  // one finishes harmlessly on it.
  SurfacePtr Surface() const;
  // The surface for a caller that holds the drawing lock and is about to draw on it: the frames
  // hear that its pixels may change.
  SurfacePtr SurfaceToDrawOn();

  // The number of the frame on the screen now: it grows each time the pixels change. Any thread.
  std::uint64_t FrameNumber();
  // Waits until the frame number passes `after` (true) or `limit` runs out (false). Any thread
  // that does not hold the drawing lock.
  bool WaitForFrame(std::uint64_t after, std::chrono::milliseconds limit);

  // Only the sizes the handset's displays come in are accepted; the angle is kept.
  bool SetSize(int width, int height);
  // Turns the display to an absolute angle; width and height swap when the display turns between
  // portrait and landscape. The angle is published in the registry, value "Angle" under
  // HKLM "System\GDI\Rotation", before the listeners hear of the change.
  bool Rotate(int angle);

  // Called after every change of size or rotation, on the thread that made it, with no lock held.
  // A subsystem registers when its own state is made; listeners live as long as the screen.
  using Listener = std::function<void(const Geometry&)>;
  void OnChange(Listener listener);

  // The lock of the drawing surfaces: whoever draws on the screen's surface or reads its pixels
  // holds it for the whole call. The GDI takes it as its own lock, so a GDI call and a reading of
  // the screen never overlap.
  std::mutex& DrawingLock() const { return drawingMutex_; }

  static bool Supported(int width, int height);
  static int DpiFor(int width, int height);

 private:
  void Store(const Geometry& geometry);  // replaces the surface when the size changes
  void Notify(const Geometry& geometry) const;

  mutable std::mutex mutex_;
  mutable std::mutex drawingMutex_;
  Geometry geometry_;
  SurfacePtr surface_;
  Frames frames_;  // under drawingMutex_
  std::vector<Listener> listeners_;
};

}  // namespace handset::screen
