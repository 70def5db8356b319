// The screen's control API.
#include "handset/screen.h"

#include <mutex>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

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

std::uint64_t FrameNumber() { return core::State<Screen>().FrameNumber(); }

bool WaitForFrame(std::uint64_t after, std::chrono::milliseconds limit) {
  return core::State<Screen>().WaitForFrame(after, limit);
}

namespace {

// The screen's picture as PNG bytes; throws std::runtime_error with the reason when there is none.
std::vector<std::uint8_t> EncodePng() {
  auto& screen = core::State<Screen>();
  std::lock_guard drawing(screen.DrawingLock());
  SurfacePtr surface = screen.Surface();
  if (!surface) throw std::runtime_error("the screen has no picture yet");
  std::vector<std::uint8_t> png;
  // Called from inside Cairo, which an exception must not cross.
  auto append = [](void* closure, const unsigned char* data, unsigned int length) {
    try {
      auto& bytes = *static_cast<std::vector<std::uint8_t>*>(closure);
      bytes.insert(bytes.end(), data, data + length);
      return CAIRO_STATUS_SUCCESS;
    } catch (const std::bad_alloc&) {
      return CAIRO_STATUS_NO_MEMORY;
    }
  };
  cairo_status_t status = cairo_surface_write_to_png_stream(surface.get(), append, &png);
  if (status != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error(std::string("cannot encode the picture: ") + cairo_status_to_string(status));
  return png;
}

}  // namespace

std::vector<std::uint8_t> Png() {
  try {
    return EncodePng();
  } catch (const std::exception&) {
    return {};
  }
}

void WritePng(const std::filesystem::path& file) {
  std::vector<std::uint8_t> png;
  try {
    png = EncodePng();
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(file.string() + ": " + e.what());
  }
  core::WriteFileAtomically(file, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
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
