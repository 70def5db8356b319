#include "screen/surface.h"

#include <cstring>

namespace handset::screen {

SurfacePtr MakeSurface(int width, int height, std::uint32_t rgb) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  return SurfacePtr(surface, cairo_surface_destroy);
}

std::uint32_t ReadPixel(cairo_surface_t* surface, int x, int y) {
  cairo_surface_flush(surface);
  const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  std::uint32_t pixel;
  std::memcpy(&pixel, row + x * 4, sizeof pixel);
  return pixel & 0xFFFFFF;
}

COLORREF ReadColor(cairo_surface_t* surface, int x, int y) {
  std::uint32_t rgb = ReadPixel(surface, x, y);
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace handset::screen
