// Draws one of the about page's logos and writes it as a 24-bit .bmp file, the form the handset's
// bitmap loader reads:   draw_logo WIDTH HEIGHT OUTPUT.BMP
#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A rounded badge with a camera and the letters "VT".
void Draw(cairo_t* cr, int width, int height) {
  double radius = height / 4.0;
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_new_sub_path(cr);
  cairo_arc(cr, width - radius - 1, radius + 1, radius, -kPi / 2, 0);
  cairo_arc(cr, width - radius - 1, height - radius - 1, radius, 0, kPi / 2);
  cairo_arc(cr, radius + 1, height - radius - 1, radius, kPi / 2, kPi);
  cairo_arc(cr, radius + 1, radius + 1, radius, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.05, 0.35, 0.65);
  cairo_fill(cr);

  double unit = height / 8.0;
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_rectangle(cr, 1.5 * unit, 2.5 * unit, 3.5 * unit, 3 * unit);
  cairo_fill(cr);
  cairo_move_to(cr, 5 * unit, 4 * unit);
  cairo_line_to(cr, 6.5 * unit, 2.75 * unit);
  cairo_line_to(cr, 6.5 * unit, 5.25 * unit);
  cairo_close_path(cr);
  cairo_fill(cr);

  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 5 * unit);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, "VT", &extents);
  double textLeft = 7.5 * unit;
  double textWidth = width - textLeft - unit;
  cairo_move_to(cr, textLeft + (textWidth - extents.width) / 2 - extents.x_bearing,
                height / 2.0 - extents.height / 2 - extents.y_bearing);
  cairo_show_text(cr, "VT");
}

bool WriteBmp(cairo_surface_t* surface, const char* path) {
  int width = cairo_image_surface_get_width(surface);
  int height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* pixels = cairo_image_surface_get_data(surface);
  int rowBytes = (width * 3 + 3) & ~3;
  std::uint32_t imageSize = static_cast<std::uint32_t>(rowBytes * height);

  std::vector<std::uint8_t> file;
  file.push_back('B');
  file.push_back('M');
  PutLittleEndian(file, 14 + 40 + imageSize, 4);
  PutLittleEndian(file, 0, 4);
  PutLittleEndian(file, 14 + 40, 4);
  PutLittleEndian(file, 40, 4);
  PutLittleEndian(file, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(file, static_cast<std::uint32_t>(height), 4);  // bottom-up rows
  PutLittleEndian(file, 1, 2);
  PutLittleEndian(file, 24, 2);
  PutLittleEndian(file, 0, 4);  // BI_RGB
  PutLittleEndian(file, imageSize, 4);
  PutLittleEndian(file, 3780, 4);  // 96 dpi
  PutLittleEndian(file, 3780, 4);
  PutLittleEndian(file, 0, 4);
  PutLittleEndian(file, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(pixels + y * stride);
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = row[x];
      file.push_back(static_cast<std::uint8_t>(pixel));
      file.push_back(static_cast<std::uint8_t>(pixel >> 8));
      file.push_back(static_cast<std::uint8_t>(pixel >> 16));
    }
    for (int pad = width * 3; pad < rowBytes; ++pad) file.push_back(0);
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: draw_logo WIDTH HEIGHT OUTPUT.BMP\n");
    return 2;
  }
  int width = std::atoi(argv[1]);
  int height = std::atoi(argv[2]);
  if (width < 16 || height < 8 || width > 4096 || height > 4096) {
    std::fprintf(stderr, "draw_logo: size %sx%s out of range (16x8 to 4096x4096)\n", argv[1], argv[2]);
    return 2;
  }
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  Draw(cr, width, height);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  bool written = WriteBmp(surface, argv[3]);
  cairo_surface_destroy(surface);
  if (!written) {
    std::fprintf(stderr, "draw_logo: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}

// The system's fontconfig keeps what it parsed from its configuration for the life of the process;
// in a sanitizer build the leak checker is told that this memory is not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
