// The screen's control API.
#include "handset/screen.h"

#include <mutex>

#include "core/handset.h"
#include "screen/screen.h"

namespace handset::screen {

Size CurrentSize() {
  auto geometry = core::State<Screen>().Current();
  return {geometry.width, geometry.height};
}

bool SetSize(int width, int height) { return core::State<Screen>().SetSize(width, height); }

int Angle() { return core::State<Screen>().Current().angle; }

bool Rotate(int angle) { return core::State<Screen>().Rotate(angle); }

int Dpi() { return core::State<Screen>().Dpi(); }

// Reading the pixels waits for a drawing call in progress on another thread.
std::uint32_t Pixel(int x, int y) {
  auto& screen = core::State<Screen>();
  std::lock_guard drawing(screen.DrawingLock());
  SurfacePtr surface = screen.Surface();
  if (!surface || x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface.get()) ||
      y >= cairo_image_surface_get_height(surface.get()))
    return 0xFFFFFFFF;
  return ReadColor(surface.get(), x, y);
}

bool SavePng(const std::filesystem::path& file) {
  auto& screen = core::State<Screen>();
  std::lock_guard drawing(screen.DrawingLock());
  SurfacePtr surface = screen.Surface();
  return surface && cairo_surface_write_to_png(surface.get(), file.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace handset::screen
