// The handset's screen: sizes, rotation, resolution, metrics, its frames and a picture of it.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <iterator>
#include <stdexcept>
#include <thread>

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
using namespace std::chrono_literals;

void FillScreen(const RECT& rect, COLORREF color) {
  HDC dc = GetDC(nullptr);
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
  ReleaseDC(nullptr, dc);
}

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row after row
  bool operator==(const Picture&) const = default;
};

// The pixels of a PNG image read back by Cairo; an empty picture when it is no PNG.
Picture Decode(const std::vector<std::uint8_t>& png) {
  struct Reader {
    const std::vector<std::uint8_t>& bytes;
    std::size_t at = 0;
  } reader{png};
  auto read = [](void* closure, unsigned char* data, unsigned int length) {
    auto& r = *static_cast<Reader*>(closure);
    if (r.bytes.size() - r.at < length) return CAIRO_STATUS_READ_ERROR;
    std::copy_n(r.bytes.begin() + static_cast<std::ptrdiff_t>(r.at), length, data);
    r.at += length;
    return CAIRO_STATUS_SUCCESS;
  };
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(read, &reader);
  Picture picture;
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
    picture.width = cairo_image_surface_get_width(surface);
    picture.height = cairo_image_surface_get_height(surface);
    for (int y = 0; y < picture.height; ++y) {
      const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
      for (int x = 0; x < picture.width; ++x)
        picture.pixels.push_back(reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF);
    }
  }
  cairo_surface_destroy(surface);
  return picture;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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

TEST_F(ScreenTest, TheFrameNumberGrowsWhenThePixelsChangeAndOnlyThen) {
  namespace screen = handset::screen;
  std::uint64_t first = screen::FrameNumber();
  EXPECT_EQ(screen::FrameNumber(), first) << "nothing was drawn";
  FillScreen({0, 0, 240, 320}, RGB(255, 255, 255));
  EXPECT_EQ(screen::FrameNumber(), first) << "white on white changes no pixel";

  // A window's repaint: its first paint changes the pixels, a second one of the same leaves them.
  WNDCLASSW c{};
  c.lpfnWndProc = DefWindowProcW;
  c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  c.lpszClassName = u"FrameTest";
  ASSERT_TRUE(RegisterClassW(&c));
  HWND window = CreateWindowExW(0, u"FrameTest", u"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  UpdateWindow(window);
  ASSERT_EQ(screen::Pixel(50, 50), RGB(0, 0, 0));
  std::uint64_t painted = screen::FrameNumber();
  EXPECT_GT(painted, first);
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  EXPECT_EQ(screen::FrameNumber(), painted) << "the same picture painted again";
  FillScreen({10, 10, 11, 11}, RGB(0, 0, 255));
  EXPECT_GT(screen::FrameNumber(), painted) << "one pixel";
  DestroyWindow(window);

  std::uint64_t before = screen::FrameNumber();
  ASSERT_TRUE(screen::SetSize(480, 640));
  EXPECT_GT(screen::FrameNumber(), before) << "a screen of another size";
}

TEST_F(ScreenTest, AWaitForAFrameWakesWhenAnotherThreadDrawsAndTimesOutWhenNothingChanges) {
  namespace screen = handset::screen;
  std::uint64_t now = screen::FrameNumber();
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(screen::WaitForFrame(now, 50ms));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);

  // The waiter is another thread, as a viewer of the screen is; this thread draws meanwhile.
  auto waiter = std::async(std::launch::async, [now] { return screen::WaitForFrame(now, 20s); });
  EXPECT_EQ(waiter.wait_for(50ms), std::future_status::timeout) << "woke with nothing drawn";
  FillScreen({0, 0, 20, 20}, RGB(255, 0, 0));
  ASSERT_EQ(waiter.wait_for(10s), std::future_status::ready);
  EXPECT_TRUE(waiter.get());
  EXPECT_GT(screen::FrameNumber(), now);
  EXPECT_TRUE(screen::WaitForFrame(now, 0ms)) << "a newer frame is already there";
  EXPECT_TRUE(screen::WaitForFrame(now, std::chrono::milliseconds::max())) << "a limit past the clock's end";
}

TEST_F(ScreenTest, APictureInMemoryHasThePixelsOfTheSavedOne) {
  ASSERT_TRUE(handset::screen::SetSize(320, 240));
  FillScreen({10, 10, 20, 20}, RGB(0, 0, 255));
  auto file = handset::Root() / "screen.png";
  ASSERT_TRUE(handset::screen::SavePng(file));
  Picture inMemory = Decode(handset::screen::Png()), saved = Decode(ReadBytes(file));
  ASSERT_EQ(inMemory.width, 320);
  ASSERT_EQ(inMemory.height, 240);
  EXPECT_EQ(inMemory.pixels[15 * 320 + 15], 0x0000FFu);
  EXPECT_EQ(inMemory, saved);
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
