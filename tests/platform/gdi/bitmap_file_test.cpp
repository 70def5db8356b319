// Loading .bmp files from the device's folders (SHLoadDIBitmap), sound ones and broken ones.
#include <gtest/gtest.h>

#include <aygshell.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "handset/gdi.h"
#include "handset/handset.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using testing_support::HandsetTest;
using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
  b.at(at) = v & 0xFF;
  b.at(at + 1) = (v >> 8) & 0xFF;
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) b.at(at + i) = (v >> (8 * i)) & 0xFF;
}

// A .bmp file: file header, info header, colour table, then the rows as given (already padded).
Bytes BmpFile(int width, int height, int bitCount, const std::vector<std::uint32_t>& palette, const Bytes& rows,
              std::uint32_t compression = BI_RGB, const std::vector<std::uint32_t>& masks = {}) {
  std::size_t offset = 14 + 40 + masks.size() * 4 + palette.size() * 4;
  Bytes file(offset);
  file[0] = 'B';
  file[1] = 'M';
  Put32(file, 2, static_cast<std::uint32_t>(offset + rows.size()));
  Put32(file, 10, static_cast<std::uint32_t>(offset));
  Put32(file, 14, 40);
  Put32(file, 18, static_cast<std::uint32_t>(width));
  Put32(file, 22, static_cast<std::uint32_t>(height));
  Put16(file, 26, 1);
  Put16(file, 28, static_cast<std::uint32_t>(bitCount));
  Put32(file, 30, compression);
  Put32(file, 46, static_cast<std::uint32_t>(palette.size()));
  std::size_t at = 54;
  for (auto m : masks) Put32(file, (at += 4) - 4, m);
  for (auto c : palette) Put32(file, (at += 4) - 4, c);
  file.insert(file.end(), rows.begin(), rows.end());
  return file;
}

class BitmapFileTest : public HandsetTest {
 protected:
  HBITMAP Load(const Bytes& bytes) {
    auto path = handset::HostPath(u"\\Windows\\logo.bmp");
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return SHLoadDIBitmap(u"\\Windows\\logo.bmp");
  }
  // The pixels of a bitmap, read through a memory device context.
  static std::vector<COLORREF> Pixels(HBITMAP bitmap, int width, int height) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    return pixels;
  }
  static BITMAP Info(HBITMAP bitmap) {
    BITMAP info{};
    EXPECT_EQ(GetObjectW(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    return info;
  }
};

TEST_F(BitmapFileTest, TwentyFourBitRowsBottomUpWithPadding) {
  // 3 x 2: bottom row blue, red, green; top row white, black, grey. Rows are padded to 12 bytes.
  Bytes rows = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0,  // bottom
                0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0x80, 0x80, 0, 0, 0};
  HBITMAP bitmap = Load(BmpFile(3, 2, 24, {}, rows));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info = Info(bitmap);
  EXPECT_EQ(info.bmWidth, 3);
  EXPECT_EQ(info.bmHeight, 2);
  EXPECT_EQ(info.bmBitsPixel, 24);
  EXPECT_EQ(Pixels(bitmap, 3, 2), (std::vector<COLORREF>{RGB(255, 255, 255), RGB(0, 0, 0), RGB(128, 128, 128),
                                                         RGB(0, 0, 255), RGB(255, 0, 0), RGB(0, 255, 0)}));
  EXPECT_EQ(handset::gdi::LiveObjects().bitmaps, 1u);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(handset::gdi::LiveObjects().Total(), 0u);
}

TEST_F(BitmapFileTest, PalettedRowsOfOneFourAndEightBits) {
  std::vector<std::uint32_t> twoColours = {0x000000, 0xFFFFFF};
  HBITMAP mono = Load(BmpFile(10, 1, 1, twoColours, {0b10100000, 0b01000000, 0, 0}));
  ASSERT_NE(mono, nullptr);
  auto pixels = Pixels(mono, 10, 1);
  EXPECT_EQ(pixels[0], RGB(255, 255, 255));
  EXPECT_EQ(pixels[1], RGB(0, 0, 0));
  EXPECT_EQ(pixels[2], RGB(255, 255, 255));
  EXPECT_EQ(pixels[9], RGB(255, 255, 255));

  std::vector<std::uint32_t> sixteen(16, 0);
  sixteen[3] = 0x00FF00;  // stored blue, green, red: green
  sixteen[12] = 0x0000FF;
  HBITMAP nibbles = Load(BmpFile(3, 1, 4, sixteen, {0x3C, 0x30, 0, 0}));
  ASSERT_NE(nibbles, nullptr);
  EXPECT_EQ(Pixels(nibbles, 3, 1), (std::vector<COLORREF>{RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 255, 0)}));
  EXPECT_EQ(Info(nibbles).bmBitsPixel, 4);

  // An index past a short colour table reads as black, never past the table.
  HBITMAP bytes = Load(BmpFile(2, 1, 8, {0xFF0000}, {0, 200, 0, 0}));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(Pixels(bytes, 2, 1), (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 0, 0)}));
  for (HBITMAP b : {mono, nibbles, bytes}) DeleteObject(b);
}

TEST_F(BitmapFileTest, ThirtyTwoAndSixteenBitRowsTopDownAndWithMasks) {
  // Negative height: the first row is the top one.
  HBITMAP top = Load(BmpFile(1, -2, 32, {}, {0, 0, 0xFF, 0, 0xFF, 0, 0, 0}));
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(Pixels(top, 1, 2), (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 0, 255)}));
  // 16 bits, 5-6-5 masks: pure red, pure green.
  HBITMAP masked = Load(BmpFile(2, 1, 16, {}, {0x00, 0xF8, 0xE0, 0x07}, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}));
  ASSERT_NE(masked, nullptr);
  EXPECT_EQ(Pixels(masked, 2, 1), (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 255, 0)}));
  // 16 bits without masks are 5-5-5.
  HBITMAP plain = Load(BmpFile(1, 1, 16, {}, {0x1F, 0x00, 0, 0}));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(Pixels(plain, 1, 1), (std::vector<COLORREF>{RGB(0, 0, 255)}));
  for (HBITMAP b : {top, masked, plain}) DeleteObject(b);
}

TEST_F(BitmapFileTest, EveryTruncationOfAFileIsRefusedWithoutReadingPastItsEnd) {
  Bytes file = BmpFile(4, 4, 8, std::vector<std::uint32_t>(256, 0x123456), Bytes(16, 7));
  ASSERT_NE(Load(file), nullptr);
  for (std::size_t size = 0; size < file.size(); ++size)
    EXPECT_EQ(Load(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size))), nullptr) << size;
  EXPECT_EQ(handset::gdi::LiveObjects().bitmaps, 1u);
}

TEST_F(BitmapFileTest, MalformedHeadersAreRefused) {
  Bytes good = BmpFile(2, 2, 24, {}, Bytes(16, 0));
  ASSERT_NE(Load(good), nullptr);
  auto broken = [&](auto change) {
    Bytes file = good;
    change(file);
    return Load(file);
  };
  EXPECT_EQ(broken([](Bytes& f) { f[0] = 'X'; }), nullptr);
  EXPECT_EQ(broken([](Bytes& f) { Put32(f, 18, 0); }), nullptr);                // no width
  EXPECT_EQ(broken([](Bytes& f) { Put32(f, 22, 0); }), nullptr);                // no height
  EXPECT_EQ(broken([](Bytes& f) { Put32(f, 18, 0x7FFFFFFF); }), nullptr);       // huge
  EXPECT_EQ(broken([](Bytes& f) { Put32(f, 22, 0x80000000); }), nullptr);       // most negative height
  EXPECT_EQ(broken([](Bytes& f) { Put16(f, 28, 7); }), nullptr);                // no such depth
  EXPECT_EQ(broken([](Bytes& f) { Put32(f, 30, BI_RLE8); }), nullptr);          // compressed
  EXPECT_EQ(broken([](Bytes& f) { Put32(f, 14, 0x7FFFFFFF); }), nullptr);       // header past the end
  EXPECT_EQ(broken([](Bytes& f) { Put32(f, 10, 0xFFFFFFF0); }), nullptr);       // rows past the end
  EXPECT_EQ(broken([](Bytes& f) { Put32(f, 46, 0x40000001); }), nullptr);       // colour table past the end
  EXPECT_EQ(broken([](Bytes& f) { Put16(f, 26, 2); }), nullptr);                // two planes
  EXPECT_EQ(SHLoadDIBitmap(u"\\Windows\\missing.bmp"), nullptr);
  EXPECT_EQ(SHLoadDIBitmap(nullptr), nullptr);
  EXPECT_EQ(handset::gdi::LiveObjects().bitmaps, 1u);
}

TEST_F(BitmapFileTest, CreateBitmapTakesTheCallersRows) {
  // Monochrome rows are padded to 16 bits: 0b1000... is white then black.
  const std::uint8_t mono[] = {0x80, 0x00, 0x40, 0x00};
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 1, mono);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(Pixels(bitmap, 2, 2),
            (std::vector<COLORREF>{RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255)}));
  EXPECT_EQ(Info(bitmap).bmWidthBytes, 2);
  const std::uint8_t colour[] = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0};  // blue first: red, blue
  HBITMAP rgb = CreateBitmap(2, 1, 1, 32, colour);
  EXPECT_EQ(Pixels(rgb, 2, 1), (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 0, 255)}));
  EXPECT_EQ(CreateBitmap(2, 2, 1, 8, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(-1, 2, 1, 1, nullptr), nullptr);
  // A bitmap without area is the one-pixel stock bitmap, which is never counted or deleted.
  HBITMAP empty = CreateBitmap(0, 5, 1, 1, nullptr);
  EXPECT_EQ(Info(empty).bmWidth, 1);
  EXPECT_TRUE(DeleteObject(empty));
  DeleteObject(bitmap);
  DeleteObject(rgb);
  EXPECT_EQ(handset::gdi::LiveObjects().Total(), 0u);
}

}  // namespace
