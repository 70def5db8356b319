// Icons from a module's resources: loading, drawing with their transparency, and the icons that
// static controls load from their dialog template.
#include <gtest/gtest.h>

#include <cstring>

#include "dialogs/dialog_test_support.h"
#include "handset/gdi.h"
#include "handset/handset.h"
#include "handset/modules.h"
#include "handset/screen.h"

#include <windows.h>

namespace {

using dialog_test::AlignedTemplate;

std::vector<std::byte> Bytes(const std::vector<std::uint8_t>& v) {
  std::vector<std::byte> out(v.size());
  std::memcpy(out.data(), v.data(), v.size());
  return out;
}

void Put16(std::vector<std::uint8_t>& v, std::uint16_t x) {
  v.push_back(static_cast<std::uint8_t>(x));
  v.push_back(static_cast<std::uint8_t>(x >> 8));
}
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  Put16(v, static_cast<std::uint16_t>(x));
  Put16(v, static_cast<std::uint16_t>(x >> 16));
}

// A 32 x 32 icon of 24-bit colours: its left half red and drawn, its right half masked out.
std::vector<std::uint8_t> IconImage() {
  std::vector<std::uint8_t> image;
  Put32(image, 40);
  Put32(image, 32);
  Put32(image, 64);  // colours and mask
  Put16(image, 1);
  Put16(image, 24);
  for (int i = 0; i < 6; ++i) Put32(image, 0);
  for (int row = 0; row < 32; ++row)
    for (int x = 0; x < 32; ++x) {
      image.push_back(0);     // blue
      image.push_back(0);     // green
      image.push_back(0xFF);  // red
    }
  for (int row = 0; row < 32; ++row) Put32(image, 0xFFFF0000u);  // bytes 00 00 FF FF: right half masked
  return image;
}

std::vector<std::uint8_t> IconGroup(std::uint32_t imageSize) {
  std::vector<std::uint8_t> group;
  Put16(group, 0);
  Put16(group, 1);
  Put16(group, 1);
  group.insert(group.end(), {32, 32, 0, 0});
  Put16(group, 1);
  Put16(group, 24);
  Put32(group, imageSize);
  Put16(group, 1);  // the RT_ICON id
  return group;
}

class IconsTest : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    auto image = IconImage();
    handset::InMemoryModule module;
    module.resources.push_back({WORD{3}, WORD{1}, Bytes(image)});
    module.resources.push_back({WORD{14}, WORD{100}, Bytes(IconGroup(static_cast<std::uint32_t>(image.size())))});
    handset::RegisterModule(u"icons.dll", std::move(module));
    instance = LoadLibraryW(u"icons.dll");
    ASSERT_NE(instance, nullptr);
    // The module's resource handles are made at their first lookup and kept while it is loaded.
    DestroyIcon(LoadIconW(instance, MAKEINTRESOURCEW(100)));
  }
  void TearDown() override {
    FreeLibrary(instance);
    DialogTest::TearDown();
  }
  HMODULE instance = nullptr;
};

TEST_F(IconsTest, EachLoadIsAnIconOfItsOwnUntilDestroyed) {
  std::size_t before = handset::LiveHandleCount();
  HICON first = LoadIconW(instance, MAKEINTRESOURCEW(100));
  HICON second = LoadIconW(instance, MAKEINTRESOURCEW(100));
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(LoadIconW(instance, MAKEINTRESOURCEW(101)), nullptr);
  EXPECT_TRUE(DestroyIcon(first));
  EXPECT_FALSE(DestroyIcon(first));
  EXPECT_TRUE(DestroyIcon(second));
  EXPECT_EQ(handset::LiveHandleCount(), before);
}

TEST_F(IconsTest, DrawingLeavesTheMaskedPixelsAlone) {
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(100));
  HDC screen = GetDC(nullptr);
  RECT all{0, 0, 100, 100};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  FillRect(screen, &all, white);
  handset::gdi::ClearDrawing();
  EXPECT_TRUE(DrawIcon(screen, 10, 20, icon));
  ReleaseDC(nullptr, screen);
  DeleteObject(white);
  EXPECT_EQ(handset::screen::Pixel(11, 21), RGB(255, 0, 0));
  EXPECT_EQ(handset::screen::Pixel(10 + 31, 20 + 31), RGB(255, 255, 255));
  auto calls = handset::gdi::Drawing("DrawIcon");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].rect.right, 42);
  DestroyIcon(icon);
}

TEST_F(IconsTest, AStaticOfATemplateLoadsItsIconAndReleasesItWithTheDialog) {
  AlignedTemplate t(dialog_test::Template(
      WS_POPUP, 0, 0, 100, 60, u"Icons",
      {{0x82, 10, WS_CHILD | WS_VISIBLE | SS_ICON, 5, 5, 20, 20, u"", WORD{100}},
       {0x82, 11, WS_CHILD | WS_VISIBLE | SS_ICON, 30, 5, 20, 20, u"", WORD{100}}}));
  std::size_t before = handset::LiveHandleCount();
  HWND dialog = CreateDialogIndirectParamW(instance, t.Get(), nullptr, dialog_test::HookedDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  auto kept = reinterpret_cast<HICON>(SendDlgItemMessageW(dialog, 10, STM_GETIMAGE, IMAGE_ICON, 0));
  EXPECT_NE(kept, nullptr);
  // An image handed back by STM_SETIMAGE becomes the caller's: it is destroyed here, not by the
  // control; the other control's icon goes with its control.
  HICON replacement = LoadIconW(instance, MAKEINTRESOURCEW(100));
  auto previous = reinterpret_cast<HICON>(
      SendDlgItemMessageW(dialog, 10, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(replacement)));
  EXPECT_EQ(previous, kept);
  EXPECT_TRUE(DestroyIcon(previous));
  DestroyWindow(dialog);
  EXPECT_TRUE(DestroyIcon(replacement));
  EXPECT_EQ(handset::LiveHandleCount(), before);
}

}  // namespace
