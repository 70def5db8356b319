// Text: measuring, DrawTextW's layout and the pixels and record of drawn text.
#include <gtest/gtest.h>

#include <string>

#include "handset/gdi.h"
#include "handset/screen.h"
#include "handset/text.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using testing_support::HandsetTest;
using handset::screen::Pixel;

constexpr COLORREF kWhite = RGB(255, 255, 255);

class GdiTextTest : public HandsetTest {
 protected:
  void SetUp() override {
    HandsetTest::SetUp();
    dc_ = GetDC(nullptr);
  }
  void TearDown() override {
    if (font_) DeleteObject(SelectObject(dc_, old_));
    ReleaseDC(nullptr, dc_);
    HandsetTest::TearDown();
  }
  // Selects a new font (the previous test font is deleted).
  void UseFont(LONG height, LONG weight = FW_NORMAL, const char16_t* face = u"Tahoma",
               BYTE quality = NONANTIALIASED_QUALITY) {
    LOGFONTW description{};
    description.lfHeight = height;
    description.lfWeight = weight;
    description.lfQuality = quality;
    std::u16string_view name(face);
    std::copy(name.begin(), name.end(), description.lfFaceName);
    HFONT font = CreateFontIndirectW(&description);
    HGDIOBJ previous = SelectObject(dc_, font);
    if (font_)
      DeleteObject(previous);
    else
      old_ = previous;
    font_ = font;
  }
  SIZE Extent(std::u16string_view text) {
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size));
    return size;
  }
  // The columns in [left, right) of rows [top, bottom) that hold a pixel other than white.
  static int InkColumns(int left, int top, int right, int bottom, int* first = nullptr) {
    int count = 0;
    for (int x = left; x < right; ++x)
      for (int y = top; y < bottom; ++y)
        if (Pixel(x, y) != kWhite) {
          if (first && count == 0) *first = x;
          ++count;
          break;
        }
    return count;
  }

  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(GdiTextTest, NegativeHeightsAreCharacterHeightsAndPositiveOnesCellHeights) {
  TEXTMETRICW metrics{};
  UseFont(-14);
  ASSERT_TRUE(GetTextMetricsW(dc_, &metrics));
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 14);
  EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
  EXPECT_EQ(metrics.tmWeight, FW_NORMAL);
  EXPECT_EQ(Extent(u"Hello").cy, metrics.tmHeight);

  UseFont(28);
  ASSERT_TRUE(GetTextMetricsW(dc_, &metrics));
  EXPECT_NEAR(metrics.tmHeight, 28, 1);
  EXPECT_GT(metrics.tmInternalLeading, 0);
  EXPECT_GT(metrics.tmAveCharWidth, 0);
  EXPECT_GE(metrics.tmMaxCharWidth, metrics.tmAveCharWidth);
}

TEST_F(GdiTextTest, WeightAndFaceReachTheInstalledFonts) {
  UseFont(-20, FW_NORMAL);
  LONG normal = Extent(u"Weighty words").cx;
  UseFont(-20, FW_BOLD);
  EXPECT_GT(Extent(u"Weighty words").cx, normal);
  UseFont(-20, 956);  // weights beyond the named ones still give a bold face
  EXPECT_GT(Extent(u"Weighty words").cx, normal);
  UseFont(-20, FW_NORMAL, u"Courier New");
  EXPECT_EQ(Extent(u"iiii").cx, Extent(u"MMMM").cx);
  UseFont(-20, FW_NORMAL, u"No Such Face At All");
  EXPECT_GT(Extent(u"x").cx, 0);
  EXPECT_EQ(Extent(u"").cx, 0);
}

TEST_F(GdiTextTest, CalcRectMeasuresWithoutDrawing) {
  UseFont(-14);
  SIZE extent = Extent(u"Call forwarding");
  RECT rect{6, 6, 6, 6};
  int height = DrawTextW(dc_, u"Call forwarding", -1, &rect, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(height, extent.cy);
  EXPECT_EQ(rect.left, 6);
  EXPECT_EQ(rect.right, 6 + extent.cx);
  EXPECT_EQ(rect.bottom, 6 + extent.cy);
  EXPECT_TRUE(handset::gdi::Drawing().empty());
  EXPECT_EQ(InkColumns(0, 0, 240, 40), 0);

  // Breaking words into a narrow rectangle: as many lines as needed, as wide as the widest.
  RECT narrow{0, 0, Extent(u"forwarding").cx + 2, 0};
  height = DrawTextW(dc_, u"Call forwarding settings", -1, &narrow, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(height, 3 * extent.cy);
  EXPECT_EQ(narrow.bottom, 3 * extent.cy);
  EXPECT_EQ(narrow.right, Extent(u"forwarding").cx);

  // Line breaks count; without DT_WORDBREAK nothing else breaks.
  RECT lines{0, 0, 10, 0};
  EXPECT_EQ(DrawTextW(dc_, u"one\r\ntwo\nthree", -1, &lines, DT_CALCRECT), 3 * extent.cy);
  EXPECT_EQ(lines.right, Extent(u"three").cx);
  RECT single{0, 0, 10, 0};
  EXPECT_EQ(DrawTextW(dc_, u"one\r\ntwo", -1, &single, DT_CALCRECT | DT_SINGLELINE), extent.cy);
  EXPECT_EQ(single.right, Extent(u"onetwo").cx);
}

TEST_F(GdiTextTest, DrawTextRecordsTheFontTheRectangleTheFlagsAndTheLinesShown) {
  UseFont(14, 600, u"Tahoma", DEFAULT_QUALITY);
  SetTextColor(dc_, GetSysColor(COLOR_HIGHLIGHT));
  SetBkMode(dc_, TRANSPARENT);
  RECT rect{6, 6, 237, 20};
  DrawTextW(dc_, u"Video call forwarding", -1, &rect, DT_WORD_ELLIPSIS);
  auto calls = handset::gdi::Drawing("DrawTextW");
  ASSERT_EQ(calls.size(), 1u);
  const auto& call = calls[0];
  EXPECT_EQ(call.font.handle, font_);
  EXPECT_EQ(call.font.height, 14);
  EXPECT_EQ(call.font.weight, 600);
  EXPECT_EQ(call.font.face, u"Tahoma");
  EXPECT_EQ(call.rect.left, 6);
  EXPECT_EQ(call.rect.top, 6);
  EXPECT_EQ(call.rect.right, 237);
  EXPECT_EQ(call.rect.bottom, 20);
  EXPECT_EQ(call.flags, 0x40000u);
  EXPECT_EQ(call.text, u"Video call forwarding");
  EXPECT_EQ(call.lines, std::vector<std::u16string>{u"Video call forwarding"});
  EXPECT_EQ(call.textColor, GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(call.bkMode, TRANSPARENT);
}

TEST_F(GdiTextTest, EllipsesCutWhatDoesNotFit) {
  UseFont(-14);
  const std::u16string text = u"Forward video calls when busy";
  RECT rect{0, 0, Extent(u"Forward video").cx, 20};
  DrawTextW(dc_, text.c_str(), -1, &rect, DT_END_ELLIPSIS | DT_SINGLELINE);
  DrawTextW(dc_, text.c_str(), -1, &rect, DT_WORD_ELLIPSIS);
  for (const auto& call : handset::gdi::Drawing("DrawTextW")) {
    ASSERT_EQ(call.lines.size(), 1u);
    const std::u16string& shown = call.lines[0];
    ASSERT_GT(shown.size(), 3u);
    EXPECT_EQ(shown.substr(shown.size() - 3), u"...");
    EXPECT_EQ(text.compare(0, shown.size() - 3, shown, 0, shown.size() - 3), 0) << handset::Utf8(shown);
    EXPECT_LE(Extent(shown).cx, rect.right);
  }
  // Text that fits is left alone; a rectangle too narrow for anything shows the ellipsis alone.
  DrawTextW(dc_, u"Busy", -1, &rect, DT_END_ELLIPSIS);
  EXPECT_EQ(handset::gdi::Drawing("DrawTextW").back().lines[0], u"Busy");
  RECT tiny{0, 0, 1, 20};
  DrawTextW(dc_, u"Busy", -1, &tiny, DT_END_ELLIPSIS);
  EXPECT_EQ(handset::gdi::Drawing("DrawTextW").back().lines[0], u"...");
}

TEST_F(GdiTextTest, PrefixesAreTakenOutUnlessToldNotTo) {
  UseFont(-14);
  RECT rect{0, 0, 200, 40};
  DrawTextW(dc_, u"&Options && more", -1, &rect, DT_SINGLELINE);
  DrawTextW(dc_, u"&Options && more", -1, &rect, DT_SINGLELINE | DT_NOPREFIX);
  auto calls = handset::gdi::Drawing("DrawTextW");
  EXPECT_EQ(calls[0].lines[0], u"Options & more");
  EXPECT_EQ(calls[1].lines[0], u"&Options && more");
  EXPECT_EQ(calls[0].text, u"&Options && more");  // the record keeps the text as passed
}

TEST_F(GdiTextTest, WordBreakingSplitsBetweenWordsAndKeepsALongWordWhole) {
  UseFont(-14);
  RECT rect{0, 0, Extent(u"Forward ").cx + 1, 100};
  DrawTextW(dc_, u"Forward  video calls\nUnconditionally now", -1, &rect, DT_WORDBREAK);
  auto lines = handset::gdi::Drawing("DrawTextW").back().lines;
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"Forward", u"video", u"calls", u"Unconditionally", u"now"}));
}

TEST_F(GdiTextTest, AlignmentAndVerticalCentring) {
  UseFont(-14);
  SIZE extent = Extent(u"OK");
  RECT rect{0, 100, 200, 140};
  int offset = DrawTextW(dc_, u"OK", 2, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  int top = 100 + (40 - extent.cy) / 2;
  EXPECT_EQ(offset, top + extent.cy - 100);
  int first = -1;
  ASSERT_GT(InkColumns(0, 100, 200, 140, &first), 0);
  EXPECT_GE(first, (200 - extent.cx) / 2);
  EXPECT_LT(first, (200 - extent.cx) / 2 + 4);
  EXPECT_EQ(InkColumns(0, 100, 240, top), 0);  // nothing above the centred line

  RECT right{0, 200, 200, 230};
  DrawTextW(dc_, u"OK", -1, &right, DT_RIGHT | DT_SINGLELINE | DT_BOTTOM);
  EXPECT_EQ(InkColumns(0, 200, 200 - extent.cx, 230), 0);
  EXPECT_GT(InkColumns(200 - extent.cx, 200, 200, 230), 0);
}

TEST_F(GdiTextTest, TextIsClippedToItsRectangleUnlessToldNotToBe) {
  UseFont(-20);
  SetTextColor(dc_, RGB(200, 0, 0));
  RECT rect{10, 10, 30, 40};
  DrawTextW(dc_, u"WWWWWWWW", -1, &rect, DT_SINGLELINE);
  EXPECT_GT(InkColumns(10, 10, 30, 40), 0);
  EXPECT_EQ(InkColumns(30, 0, 240, 60), 0);
  bool textColour = false;
  for (int x = 10; x < 30; ++x)
    for (int y = 10; y < 40; ++y) textColour = textColour || Pixel(x, y) == RGB(200, 0, 0);
  EXPECT_TRUE(textColour);

  RECT loose{10, 100, 30, 130};
  DrawTextW(dc_, u"WWWWWWWW", -1, &loose, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(InkColumns(30, 100, 240, 130), 0);
}

TEST_F(GdiTextTest, AnOpaqueBackgroundFillsBehindTheText) {
  UseFont(-14);
  SetBkColor(dc_, RGB(0, 0, 90));
  SetBkMode(dc_, OPAQUE);
  RECT rect{0, 0, 200, 40};
  DrawTextW(dc_, u"Busy", -1, &rect, 0);
  EXPECT_EQ(Pixel(0, 0), RGB(0, 0, 90));
  EXPECT_EQ(Pixel(Extent(u"Busy").cx + 1, 0), kWhite);  // only behind the text, not the rectangle
}

TEST_F(GdiTextTest, TextOutDrawsAtItsOriginAndIsRecorded) {
  UseFont(-14);
  SetBkMode(dc_, TRANSPARENT);
  EXPECT_TRUE(TextOutW(dc_, 50, 60, u"Hi", 2));
  EXPECT_GT(InkColumns(50, 60, 80, 80), 0);
  EXPECT_EQ(InkColumns(0, 0, 50, 320), 0);
  RECT box{0, 200, 100, 220};
  SetBkColor(dc_, RGB(0, 90, 0));
  EXPECT_TRUE(ExtTextOutW(dc_, 0, 200, ETO_OPAQUE | ETO_CLIPPED, &box, u"Hi", 2, nullptr));
  EXPECT_EQ(Pixel(99, 219), RGB(0, 90, 0));
  auto calls = handset::gdi::Drawing("ExtTextOutW");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].points[0].x, 50);
  EXPECT_EQ(calls[0].text, u"Hi");
  EXPECT_EQ(calls[1].flags, static_cast<UINT>(ETO_OPAQUE | ETO_CLIPPED));
  EXPECT_FALSE(TextOutW(dc_, 0, 0, u"x", -1));
}

TEST_F(GdiTextTest, BadArgumentsAreRefused) {
  RECT rect{0, 0, 10, 10};
  EXPECT_EQ(DrawTextW(nullptr, u"x", -1, &rect, 0), 0);
  EXPECT_EQ(DrawTextW(dc_, u"x", -1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextW(dc_, u"x", -2, &rect, 0), 0);
  EXPECT_EQ(DrawTextW(dc_, nullptr, 3, &rect, 0), 0);
  EXPECT_EQ(DrawTextW(dc_, u"", -1, &rect, DT_CALCRECT), 0);
  SIZE size;
  EXPECT_FALSE(GetTextExtentPoint32W(dc_, u"x", -1, &size));
  EXPECT_FALSE(GetTextMetricsW(nullptr, nullptr));
}

}  // namespace
