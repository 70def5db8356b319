// LoadBitmapW: bitmaps from a module's resources.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "handset/gdi.h"
#include "handset/modules.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using testing_support::HandsetTest;
using BitmapResourceTest = HandsetTest;

// A packed 2 x 1 bitmap of 24 bits: the info header, then one row (red, blue) padded to 8 bytes.
std::vector<std::byte> PackedRedBlue() {
  std::vector<std::uint8_t> bytes(40, 0);
  bytes[0] = 40;
  bytes[4] = 2;   // width
  bytes[8] = 1;   // height
  bytes[12] = 1;  // planes
  bytes[14] = 24;
  for (std::uint8_t b : {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}) bytes.push_back(b);
  std::vector<std::byte> out;
  for (auto b : bytes) out.push_back(static_cast<std::byte>(b));
  return out;
}

TEST_F(BitmapResourceTest, ABitmapResourceLoadsAndABrokenOneDoesNot) {
  auto packed = PackedRedBlue();
  auto truncated = packed;
  truncated.resize(packed.size() - 1);
  handset::RegisterModule(u"pictures.dll", {.resources = {{WORD{2}, WORD{100}, packed},
                                                          {WORD{2}, std::u16string(u"LOGO"), packed},
                                                          {WORD{2}, WORD{101}, truncated}}});
  HINSTANCE module = LoadLibraryW(u"pictures.dll");
  ASSERT_NE(module, nullptr);

  HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(100));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 2);
  EXPECT_EQ(info.bmHeight, 1);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 255));
  SelectObject(dc, old);
  DeleteDC(dc);

  HBITMAP named = LoadBitmapW(module, u"logo");
  EXPECT_NE(named, nullptr);
  EXPECT_NE(named, bitmap);  // every load is a bitmap of its own, deleted by its caller
  EXPECT_EQ(LoadBitmapW(module, MAKEINTRESOURCEW(101)), nullptr);
  EXPECT_EQ(LoadBitmapW(module, MAKEINTRESOURCEW(102)), nullptr);
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(100)), nullptr);
  EXPECT_EQ(handset::gdi::LiveObjects().bitmaps, 2u);
  DeleteObject(bitmap);
  DeleteObject(named);
  EXPECT_EQ(handset::gdi::LiveObjects().bitmaps, 0u);
  FreeLibrary(module);
}

}  // namespace
