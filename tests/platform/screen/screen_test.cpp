// The handset's screen: sizes, rotation, resolution, metrics and a picture of it.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include <cairo.h>

#include <filesystem>
#include <vector>

#include "handset/handset.h"
#include "handset/registry.h"
#include "handset/screen.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using testing_support::HandsetTest;
using ScreenTest = HandsetTest;

TEST_F(ScreenTest, AFreshHandsetHasAQuarterVgaPortraitScreen) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
  EXPECT_EQ(handset::screen::Angle(), 0);
  EXPECT_EQ(handset::screen::Dpi(), 96);
  EXPECT_EQ(handset::screen::Pixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetSystemMetrics(9999), 0);
  // Nothing is published until the display turns.
  EXPECT_FALSE(handset::registry::KeyExists("HKLM\\System\\GDI\\Rotation"));
}

TEST_F(ScreenTest, OnlyTheSupportedSizesAreTakenAndTheResolutionFollowsThem) {
  struct Case {
    int width, height, dpi;
  };
  for (Case c : std::vector<Case>{{240, 240, 96}, {320, 240, 96}, {480, 640, 192}, {640, 480, 192},
                                  {480, 800, 192}, {800, 480, 192}, {240, 320, 96}}) {
    ASSERT_TRUE(handset::screen::SetSize(c.width, c.height)) << c.width << "x" << c.height;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), c.width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), c.height);
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), c.dpi);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), c.dpi);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), c.width);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), c.height);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(handset::screen::Pixel(c.width - 1, c.height - 1), RGB(255, 255, 255));
    EXPECT_EQ(handset::screen::Pixel(c.width, 0), 0xFFFFFFFFu);
  }
  for (auto [w, h] : std::vector<std::pair<int, int>>{{320, 480}, {0, 0}, {-240, 320}, {241, 320}, {1024, 768}})
    EXPECT_FALSE(handset::screen::SetSize(w, h)) << w << "x" << h;
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
}

TEST_F(ScreenTest, RotationSwapsTheSidesPublishesTheAngleAndTellsTheListeners) {
  ASSERT_TRUE(handset::screen::Rotate(90));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 240);
  EXPECT_EQ(handset::registry::ReadDword("HKLM\\System\\GDI\\Rotation", "Angle"), 90u);
  ASSERT_TRUE(handset::screen::Rotate(270));  // still landscape: no swap
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
  EXPECT_EQ(handset::registry::ReadDword("HKLM\\System\\GDI\\Rotation", "Angle"), 270u);
  ASSERT_TRUE(handset::screen::Rotate(180));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(handset::screen::Angle(), 180);
  EXPECT_FALSE(handset::screen::Rotate(45));
  EXPECT_EQ(handset::screen::Angle(), 180);

  ASSERT_TRUE(handset::screen::SetSize(480, 800));
  ASSERT_TRUE(handset::screen::Rotate(90));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  EXPECT_EQ(handset::screen::Dpi(), 192);
}

TEST_F(ScreenTest, TheScreenSavesAsAPngOfItsSizeWithItsPixels) {
  ASSERT_TRUE(handset::screen::SetSize(320, 240));
  HDC dc = GetDC(nullptr);
  RECT rect{10, 10, 20, 20};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(dc, &rect, blue);
  DeleteObject(blue);
  ReleaseDC(nullptr, dc);

  auto file = handset::Root() / "screen.png";
  ASSERT_TRUE(handset::screen::SavePng(file));
  cairo_surface_t* png = cairo_image_surface_create_from_png(file.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), 320);
  EXPECT_EQ(cairo_image_surface_get_height(png), 240);
  auto pixel = [&](int x, int y) {
    const unsigned char* row = cairo_image_surface_get_data(png) + y * cairo_image_surface_get_stride(png);
    return *reinterpret_cast<const std::uint32_t*>(row + 4 * x) & 0xFFFFFF;
  };
  EXPECT_EQ(pixel(15, 15), 0x0000FFu);  // Cairo's 0xRRGGBB
  EXPECT_EQ(pixel(25, 15), 0xFFFFFFu);
  cairo_surface_destroy(png);

  EXPECT_FALSE(handset::screen::SavePng(handset::Root() / "no" / "such" / "folder" / "x.png"));
}

// A picture that cannot be written says why, and a picture replaced is never seen half-written: the
// old file stays whole until the new one is complete.
TEST_F(ScreenTest, APictureIsWrittenWholeOrNotAtAllAndAFailureSaysWhy) {
  const struct {
    std::filesystem::path file;
    const char* reason;
  } failing[] = {
      {handset::Root() / "no" / "such" / "folder" / "x.png", "x.png: cannot create a temporary file: No such file or directory"},
      {handset::Root(), ": cannot write: Is a directory"},
  };
  for (const auto& [file, reason] : failing) {
    try {
      handset::screen::WritePng(file);
      ADD_FAILURE() << file << " was written";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
  }

  auto file = handset::Root() / "kept.png";
  handset::screen::WritePng(file);
  std::ifstream old(file, std::ios::binary);  // a viewer of the old picture
  std::string before((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(handset::screen::SetSize(240, 240));
  old.seekg(0);
  handset::screen::WritePng(file);
  std::string seen((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
  EXPECT_EQ(seen, before) << "the old picture was rewritten in place";
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(handset::Root()))
    files += entry.path().filename().string().starts_with("kept.png") ? 1 : 0;
  EXPECT_EQ(files, 1u) << "a temporary file was left";
}

}  // namespace
