// Pixel surfaces of the handset: the screen and every bitmap are Cairo image surfaces of 24-bit
// colour, shared between their owner and the drawing calls that use them.
#pragma once

#include <cairo.h>
#include <windows.h>

#include <cstdint>
#include <memory>

namespace handset::screen {

using SurfacePtr = std::shared_ptr<cairo_surface_t>;

// A surface of the given size, every pixel set to `rgb` (0xRRGGBB); null when Cairo cannot make one.
SurfacePtr MakeSurface(int width, int height, std::uint32_t rgb = 0xFFFFFF);

// The pixel at (x, y) as 0xRRGGBB; the point must lie on the surface.
std::uint32_t ReadPixel(cairo_surface_t* surface, int x, int y);
// The same pixel as a Win32 colour (0x00BBGGRR).
COLORREF ReadColor(cairo_surface_t* surface, int x, int y);

}  // namespace handset::screen
