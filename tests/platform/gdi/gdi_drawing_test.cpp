// Drawing onto the screen and into bitmaps: the pixels set and the record of every call.
#include <gtest/gtest.h>

#include <string>

#include "handset/gdi.h"
#include "handset/screen.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using testing_support::HandsetTest;
using GdiDrawingTest = HandsetTest;
using handset::screen::Pixel;

constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST_F(GdiDrawingTest, FillRectPaintsLeftToRightMinusOneAndRecordsTheBrushPassed) {
  HDC dc = GetDC(nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT rect{10, 20, 15, 22};
  EXPECT_NE(FillRect(dc, &rect, red), 0);
  EXPECT_EQ(Pixel(10, 20), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(14, 21), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(15, 21), kWhite);  // right and bottom edges stay out
  EXPECT_EQ(Pixel(14, 22), kWhite);
  EXPECT_EQ(GetPixel(dc, 12, 21), RGB(255, 0, 0));

  auto calls = handset::gdi::Drawing("FillRect");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].dc, dc);
  EXPECT_EQ(calls[0].rect.left, 10);
  EXPECT_EQ(calls[0].rect.bottom, 22);
  EXPECT_EQ(calls[0].fill.handle, red);
  EXPECT_EQ(calls[0].fill.color, RGB(255, 0, 0));
  EXPECT_EQ(calls[0].brush.handle, GetStockObject(WHITE_BRUSH));  // the selected one is another
  DeleteObject(red);
  ReleaseDC(nullptr, dc);
}

TEST_F(GdiDrawingTest, FillRectTakesSystemColoursAsClassBackgroundsGiveThem) {
  HDC dc = GetDC(nullptr);
  RECT rect{0, 0, 2, 2};
  FillRect(dc, &rect, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_HIGHLIGHT + 1)));
  EXPECT_EQ(Pixel(1, 1), GetSysColor(COLOR_HIGHLIGHT));
  FillRect(dc, &rect, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>((COLOR_BTNFACE & ~SYS_COLOR_INDEX_FLAG) + 1)));
  EXPECT_EQ(Pixel(0, 0), GetSysColor(COLOR_BTNFACE));
  FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
  EXPECT_EQ(Pixel(0, 0), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(handset::gdi::Drawing("FillRect").back().fill.color, GetSysColor(COLOR_WINDOWFRAME));
  // A hollow brush paints nothing; an unknown one is refused.
  EXPECT_NE(FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
  EXPECT_EQ(Pixel(0, 0), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(FillRect(dc, &rect, reinterpret_cast<HBRUSH>(0x5555)), 0);
  ReleaseDC(nullptr, dc);
}

TEST_F(GdiDrawingTest, LineToDrawsUpToButNotIncludingTheEndWithTheSelectedPen) {
  HDC dc = GetDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
  HGDIOBJ old = SelectObject(dc, pen);
  POINT previous{-1, -1};
  MoveToEx(dc, 0, 19, &previous);
  EXPECT_EQ(previous.x, 0);
  EXPECT_EQ(previous.y, 0);
  LineTo(dc, 241, 19);  // past the screen's right edge: clipped, no harm
  EXPECT_EQ(Pixel(0, 19), RGB(0, 0, 255));
  EXPECT_EQ(Pixel(239, 19), RGB(0, 0, 255));
  EXPECT_EQ(Pixel(0, 18), kWhite);
  EXPECT_EQ(Pixel(0, 20), kWhite);

  MoveToEx(dc, 5, 30, nullptr);
  LineTo(dc, 5, 33);
  EXPECT_EQ(Pixel(5, 32), RGB(0, 0, 255));
  EXPECT_EQ(Pixel(5, 33), kWhite);  // the end point is not drawn
  LineTo(dc, 8, 36);                // a diagonal goes on from the current position
  EXPECT_EQ(Pixel(6, 34), RGB(0, 0, 255));
  EXPECT_EQ(Pixel(7, 35), RGB(0, 0, 255));

  auto lines = handset::gdi::Drawing("LineTo");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].points[0].x, 0);
  EXPECT_EQ(lines[0].points[0].y, 19);
  EXPECT_EQ(lines[0].points[1].x, 241);
  EXPECT_EQ(lines[0].points[1].y, 19);
  EXPECT_EQ(lines[0].pen.handle, pen);
  EXPECT_EQ(lines[0].pen.color, RGB(0, 0, 255));
  EXPECT_EQ(lines[0].pen.width, 1);
  EXPECT_EQ(lines[2].points[0].y, 33);
  EXPECT_EQ(handset::gdi::Drawing("MoveToEx").size(), 2u);

  SelectObject(dc, old);
  DeleteObject(pen);
  ReleaseDC(nullptr, dc);
}

TEST_F(GdiDrawingTest, NullAndWidePens) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_PEN));
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, 10, 0);
  EXPECT_EQ(Pixel(5, 0), kWhite);
  HPEN wide = CreatePen(PS_SOLID, 5, RGB(0, 128, 0));
  SelectObject(dc, wide);
  MoveToEx(dc, 20, 50, nullptr);
  LineTo(dc, 60, 50);
  EXPECT_EQ(Pixel(40, 48), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(40, 52), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(40, 54), kWhite);
  EXPECT_EQ(handset::gdi::Drawing("LineTo").back().pen.width, 5);
  SelectObject(dc, old);
  DeleteObject(wide);
  ReleaseDC(nullptr, dc);
}

TEST_F(GdiDrawingTest, RectangleFramesWithThePenAndFillsWithTheBrush) {
  HDC dc = GetDC(nullptr);
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  HGDIOBJ oldBrush = SelectObject(dc, yellow);
  Rectangle(dc, 10, 10, 20, 16);
  EXPECT_EQ(Pixel(10, 10), RGB(0, 0, 0));  // the stock black pen
  EXPECT_EQ(Pixel(19, 15), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(20, 15), kWhite);
  EXPECT_EQ(Pixel(15, 12), RGB(255, 255, 0));

  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 30, 30, 34, 34);
  EXPECT_EQ(Pixel(30, 30), RGB(255, 255, 0));
  EXPECT_EQ(Pixel(33, 33), kWhite);  // without a pen the fill stops a pixel short

  auto calls = handset::gdi::Drawing("Rectangle");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].brush.color, RGB(255, 255, 0));
  EXPECT_EQ(calls[1].pen.style, static_cast<UINT>(PS_NULL));
  SelectObject(dc, oldBrush);
  DeleteObject(yellow);
  ReleaseDC(nullptr, dc);
}

TEST_F(GdiDrawingTest, BitBltCopiesABitmapFromAMemoryDeviceContextOntoTheScreen) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT all{0, 0, 4, 4};
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(memory, &all, green);
  SetPixel(memory, 3, 3, RGB(255, 0, 255));
  EXPECT_EQ(GetPixel(memory, 3, 3), RGB(255, 0, 255));
  EXPECT_EQ(GetPixel(memory, 4, 0), CLR_INVALID);  // outside the bitmap

  EXPECT_TRUE(BitBlt(screen, 100, 200, 4, 4, memory, 0, 0, SRCCOPY));
  EXPECT_EQ(Pixel(100, 200), RGB(0, 255, 0));
  EXPECT_EQ(Pixel(103, 203), RGB(255, 0, 255));
  EXPECT_EQ(Pixel(104, 204), kWhite);
  EXPECT_TRUE(BitBlt(screen, 0, 0, 2, 2, nullptr, 0, 0, BLACKNESS));
  EXPECT_EQ(Pixel(1, 1), RGB(0, 0, 0));
  EXPECT_FALSE(BitBlt(screen, 0, 0, 2, 2, memory, 0, 0, 0x00880000));  // an operation not offered

  auto blits = handset::gdi::Drawing("BitBlt");
  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[0].rect.right, 104);
  EXPECT_EQ(blits[0].flags, static_cast<UINT>(SRCCOPY));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteObject(green);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST_F(GdiDrawingTest, TheRecordCanBeClearedAndKeepsTheTextSettingsOfEachCall) {
  HDC dc = GetDC(nullptr);
  RECT rect{0, 0, 1, 1};
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  handset::gdi::ClearDrawing();
  EXPECT_TRUE(handset::gdi::Drawing().empty());
  EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkColor(dc, RGB(7, 7, 7)), kWhite);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  auto calls = handset::gdi::Drawing();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].textColor, RGB(1, 2, 3));
  EXPECT_EQ(calls[0].bkMode, TRANSPARENT);
  EXPECT_EQ(calls[0].bkColor, RGB(7, 7, 7));
  EXPECT_EQ(calls[0].window, nullptr);
  EXPECT_EQ(SetBkMode(dc, 7), 0);  // no such mode
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
}

TEST_F(GdiDrawingTest, ADrawingMadeBeforeTheScreenGrowsFinishesAndTheNewScreenIsBlank) {
  HDC dc = GetDC(nullptr);
  RECT rect{0, 0, 240, 320};
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ASSERT_TRUE(handset::screen::SetSize(480, 640));
  EXPECT_EQ(Pixel(0, 0), kWhite);
  RECT big{470, 630, 480, 640};
  FillRect(dc, &big, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(Pixel(479, 639), RGB(0, 0, 0));
  ReleaseDC(nullptr, dc);
}

}  // namespace
