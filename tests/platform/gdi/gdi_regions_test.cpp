// Regions: their combinations in the banded form, the answers about them, their life as GDI
// objects, filling them, and the clip of a device context made of them.
#include <gtest/gtest.h>

#include <vector>

#include "handset/gdi.h"
#include "handset/screen.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using testing_support::HandsetTest;
using GdiRegionsTest = HandsetTest;
using handset::screen::Pixel;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

// A region made of the given rectangles, joined with RGN_OR.
HRGN Made(const std::vector<RECT>& rects) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (const RECT& r : rects) {
    HRGN part = CreateRectRgnIndirect(&r);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  return region;
}

bool Equal(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(GdiRegionsTest, CombineRgnGivesTheWin32ResultAndComplexityForEveryMode) {
  // Two overlapping squares: a = (0,0)-(10,10), b = (5,5)-(15,15).
  struct Case {
    int mode;
    int complexity;
    RECT box;
    std::vector<RECT> sameAs;  // the expected region, made another way
  } cases[] = {
      {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, {{5, 5, 10, 10}}},
      {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, {{0, 0, 10, 5}, {0, 5, 15, 10}, {5, 10, 15, 15}}},
      {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, {{0, 0, 10, 5}, {0, 5, 5, 10}, {10, 5, 15, 10}, {5, 10, 15, 15}}},
      {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, {{0, 0, 10, 5}, {0, 5, 5, 10}}},
      {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}, {{0, 0, 10, 10}}},
  };
  for (const auto& c : cases) {
    HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), result = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(result, a, b, c.mode), c.complexity) << c.mode;
    RECT box{};
    EXPECT_EQ(GetRgnBox(result, &box), c.complexity) << c.mode;
    EXPECT_TRUE(Equal(box, c.box)) << c.mode;
    HRGN expected = Made(c.sameAs);
    EXPECT_TRUE(EqualRgn(result, expected)) << c.mode;
    for (HRGN r : {a, b, result, expected}) DeleteObject(r);
  }
}

TEST_F(GdiRegionsTest, CombinationsThatMeetAgainAreOneRegionWhicheverWayMade) {
  // An L cut into pieces and joined back, and a hole filled again, equal the plain shapes.
  HRGN whole = CreateRectRgn(0, 0, 20, 20);
  HRGN pieces = Made({{0, 0, 10, 20}, {10, 0, 20, 10}, {10, 10, 20, 20}});
  EXPECT_TRUE(EqualRgn(whole, pieces));
  RECT box{};
  EXPECT_EQ(GetRgnBox(pieces, &box), SIMPLEREGION) << "bands with the same spans are joined";

  HRGN hole = CreateRectRgn(5, 5, 8, 8);
  EXPECT_EQ(CombineRgn(pieces, pieces, hole, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(EqualRgn(whole, pieces));
  EXPECT_FALSE(PtInRegion(pieces, 6, 6));
  EXPECT_EQ(CombineRgn(pieces, pieces, hole, RGN_OR), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(whole, pieces));

  // Whatever two regions had, their difference with themselves is empty.
  EXPECT_EQ(CombineRgn(pieces, whole, whole, RGN_XOR), NULLREGION);
  EXPECT_EQ(GetRgnBox(pieces, &box), NULLREGION);
  EXPECT_TRUE(Equal(box, {0, 0, 0, 0}));
  for (HRGN r : {whole, pieces, hole}) DeleteObject(r);
}

TEST_F(GdiRegionsTest, PointsAndRectanglesLeaveOutTheRightAndBottomEdges) {
  HRGN region = Made({{0, 0, 10, 10}, {20, 0, 30, 10}});
  struct Case {
    int x, y;
    BOOL inside;
  } points[] = {{0, 0, TRUE}, {9, 9, TRUE}, {10, 5, FALSE}, {5, 10, FALSE}, {15, 5, FALSE}, {20, 0, TRUE}, {-1, 0, FALSE}};
  for (const auto& p : points) EXPECT_EQ(PtInRegion(region, p.x, p.y), p.inside) << p.x << "," << p.y;
  struct RectCase {
    RECT rect;
    BOOL touches;
  } rects[] = {
      {{10, 0, 20, 10}, FALSE},   // only the gap between the two
      {{9, 9, 21, 10}, TRUE},     // one pixel of each
      {{10, 10, 0, 0}, TRUE},     // corners the other way round
      {{0, 10, 30, 20}, FALSE},   // below, starting at the bottom edge
  };
  for (const auto& r : rects) EXPECT_EQ(RectInRegion(region, &r.rect), r.touches) << r.rect.left << "," << r.rect.top;

  EXPECT_EQ(OffsetRgn(region, 5, -3), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(region, 5, -3));
  EXPECT_FALSE(PtInRegion(region, 4, 0));
  EXPECT_TRUE(SetRectRgn(region, 8, 8, 2, 2));
  RECT box{};
  EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
  EXPECT_TRUE(Equal(box, {2, 2, 8, 8}));
  EXPECT_TRUE(SetRectRgn(region, 4, 4, 4, 9));
  EXPECT_EQ(GetRgnBox(region, &box), NULLREGION) << "an empty rectangle makes the empty region";
  DeleteObject(region);
}

TEST_F(GdiRegionsTest, ARegionIsAGdiObjectThatIsCountedAndFreedAndBadHandlesAreRefused) {
  auto before = handset::gdi::LiveObjects();
  HRGN region = CreateRectRgn(0, 0, 4, 4);
  ASSERT_NE(region, nullptr);
  EXPECT_EQ(GetObjectType(region), static_cast<DWORD>(OBJ_REGION));
  EXPECT_EQ(handset::gdi::LiveObjects().regions, before.regions + 1);
  EXPECT_TRUE(DeleteObject(region));
  EXPECT_EQ(handset::gdi::LiveObjects(), before);

  // The freed handle and a brush are no region.
  HBRUSH brush = CreateSolidBrush(kRed);
  HRGN other = CreateRectRgn(0, 0, 1, 1);
  auto asRegion = reinterpret_cast<HRGN>(brush);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region, &box), 0);
  EXPECT_EQ(GetRgnBox(asRegion, &box), 0);
  EXPECT_EQ(CombineRgn(other, other, asRegion, RGN_OR), ERROR);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(CombineRgn(other, other, other, 9), ERROR);
  EXPECT_EQ(CombineRgn(other, other, asRegion, RGN_COPY), SIMPLEREGION) << "RGN_COPY reads only the first";
  EXPECT_EQ(OffsetRgn(region, 1, 1), ERROR);
  EXPECT_FALSE(PtInRegion(asRegion, 0, 0));
  EXPECT_EQ(EqualRgn(other, asRegion), ERROR);
  EXPECT_FALSE(SetRectRgn(asRegion, 0, 0, 1, 1));
  EXPECT_EQ(CreateRectRgnIndirect(nullptr), nullptr);
  DeleteObject(brush);
  DeleteObject(other);
  EXPECT_EQ(handset::gdi::LiveObjects(), before);
}

TEST_F(GdiRegionsTest, FillRgnPaintsEveryRectangleAndRecordsTheBox) {
  HDC dc = GetDC(nullptr);
  HBRUSH red = CreateSolidBrush(kRed);
  HRGN region = Made({{0, 0, 4, 4}, {8, 0, 12, 4}});
  EXPECT_TRUE(FillRgn(dc, region, red));
  EXPECT_EQ(Pixel(3, 3), kRed);
  EXPECT_EQ(Pixel(8, 0), kRed);
  EXPECT_EQ(Pixel(5, 1), kWhite) << "the gap between the rectangles";
  auto calls = handset::gdi::Drawing("FillRgn");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(Equal(calls[0].rect, {0, 0, 12, 4}));
  EXPECT_EQ(calls[0].fill.handle, red);
  EXPECT_FALSE(FillRgn(dc, reinterpret_cast<HRGN>(red), red));
  EXPECT_FALSE(FillRgn(dc, region, reinterpret_cast<HBRUSH>(region)));
  DeleteObject(region);
  DeleteObject(red);
  ReleaseDC(nullptr, dc);
}

TEST_F(GdiRegionsTest, TheClipOfADeviceContextIsARegionThatHoldsTheDrawing) {
  HDC dc = GetDC(nullptr);
  HBRUSH red = CreateSolidBrush(kRed);
  HRGN asked = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, asked), 0) << "no clip of the program's yet";

  // Two squares with a gap: only they are painted.
  HRGN clip = Made({{0, 0, 4, 4}, {8, 0, 12, 4}});
  EXPECT_EQ(SelectClipRgn(dc, clip), COMPLEXREGION);
  DeleteObject(clip);  // the device context keeps its own copy
  RECT all{0, 0, 20, 20};
  FillRect(dc, &all, red);
  EXPECT_EQ(Pixel(1, 1), kRed);
  EXPECT_EQ(Pixel(9, 1), kRed);
  EXPECT_EQ(Pixel(5, 1), kWhite);
  EXPECT_EQ(Pixel(1, 5), kWhite);
  EXPECT_EQ(SetPixel(dc, 5, 1, kRed), static_cast<COLORREF>(CLR_INVALID)) << "a pixel outside the clip is not set";
  EXPECT_EQ(GetClipRgn(dc, asked), 1);
  HRGN expected = Made({{0, 0, 4, 4}, {8, 0, 12, 4}});
  EXPECT_TRUE(EqualRgn(asked, expected));

  // The rectangle calls narrow and cut the clip; NULL takes it away.
  EXPECT_EQ(IntersectClipRect(dc, 2, 0, 10, 4), COMPLEXREGION);
  EXPECT_EQ(ExcludeClipRect(dc, 8, 0, 10, 4), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(dc, asked), 1);
  SetRectRgn(expected, 2, 0, 4, 4);
  EXPECT_TRUE(EqualRgn(asked, expected));
  EXPECT_EQ(IntersectClipRect(dc, 50, 50, 60, 60), NULLREGION);
  EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(dc, asked), 0);

  // With no clip yet, ExcludeClipRect starts from the whole surface; selecting a region through
  // SelectObject is SelectClipRgn.
  EXPECT_EQ(ExcludeClipRect(dc, 0, 0, 10, 10), COMPLEXREGION);
  EXPECT_EQ(GetClipRgn(dc, asked), 1);
  EXPECT_FALSE(PtInRegion(asked, 5, 5));
  EXPECT_TRUE(PtInRegion(asked, 15, 5));
  HRGN small = CreateRectRgn(1, 1, 2, 2);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(SelectObject(dc, small)), SIMPLEREGION);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH)) << "no slot took the region";
  EXPECT_EQ(SelectClipRgn(dc, reinterpret_cast<HRGN>(red)), ERROR);
  EXPECT_EQ(GetClipRgn(dc, reinterpret_cast<HRGN>(red)), -1);
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(asked), static_cast<HGDIOBJ>(expected), static_cast<HGDIOBJ>(small),
                    static_cast<HGDIOBJ>(red)})
    DeleteObject(o);
  ReleaseDC(nullptr, dc);
}

}  // namespace
