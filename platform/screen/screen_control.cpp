// The screen's control API.
#include "handset/screen.h"

#include <mutex>
#include <stdexcept>
#include <string>

#include "core/atomic_file.h"
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

void WritePng(const std::filesystem::path& file) {
  std::string png;
  {
    auto& screen = core::State<Screen>();
    std::lock_guard drawing(screen.DrawingLock());
    SurfacePtr surface = screen.Surface();
    if (!surface) throw std::runtime_error(file.string() + ": the screen has no picture yet");
    auto append = [](void* closure, const unsigned char* data, unsigned int length) {
      static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
      return CAIRO_STATUS_SUCCESS;
    };
    cairo_status_t status = cairo_surface_write_to_png_stream(surface.get(), append, &png);
    if (status != CAIRO_STATUS_SUCCESS)
      throw std::runtime_error(file.string() + ": cannot encode the picture: " + cairo_status_to_string(status));
  }
  core::WriteFileAtomically(file, png);
}

bool SavePng(const std::filesystem::path& file) {
  try {
    WritePng(file);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace handset::screen
