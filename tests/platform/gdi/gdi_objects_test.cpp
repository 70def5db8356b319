// GDI objects: their lifetimes and counts, selection into device contexts, descriptions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "handset/gdi.h"
#include "handset/handset.h"
#include "handset/screen.h"
#include "handset/trace.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using testing_support::HandsetTest;
using GdiObjectsTest = HandsetTest;

LOGFONTW Font(LONG height, LONG weight, const char16_t* face) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  std::u16string_view name(face);
  std::copy(name.begin(), name.end(), font.lfFaceName);
  return font;
}

TEST_F(GdiObjectsTest, CreateSelectRestoreDeleteLeavesNothingAlive) {
  auto before = handset::gdi::LiveObjects();
  auto handlesBefore = handset::LiveHandleCount();
  HDC dc = GetDC(nullptr);
  LOGFONTW description = Font(-14, FW_SEMIBOLD, u"Tahoma");
  HFONT font = CreateFontIndirectW(&description);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
  EXPECT_EQ(handset::gdi::LiveObjects(), (handset::gdi::ObjectCounts{1, 1, 1, 0, 1, 0}));

  HGDIOBJ oldFont = SelectObject(dc, font);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  EXPECT_EQ(oldFont, GetStockObject(SYSTEM_FONT));  // a device context starts with the stock objects
  EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));
  EXPECT_EQ(oldBrush, GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc, oldFont), font);
  EXPECT_EQ(SelectObject(dc, oldPen), pen);
  EXPECT_EQ(SelectObject(dc, oldBrush), brush);

  EXPECT_TRUE(DeleteObject(font));
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
  EXPECT_EQ(handset::gdi::LiveObjects(), before);
  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore);
  EXPECT_FALSE(DeleteObject(font));  // the handle is gone
}

TEST_F(GdiObjectsTest, AnObjectSelectedIntoADeviceContextIsNotDeleted) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(dc, pen);
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(handset::gdi::LiveObjects().pens, 1u);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);  // still usable

  SelectObject(dc, old);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(handset::gdi::LiveObjects().pens, 0u);

  // An object left selected until its device context is gone can be deleted afterwards.
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(dc, brush);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(handset::gdi::LiveObjects().Total(), 0u);
}

TEST_F(GdiObjectsTest, AFontSelectedIntoTwoDeviceContextsStaysUntilBothLetGo) {
  HDC first = CreateCompatibleDC(nullptr);
  HDC second = GetDC(nullptr);
  LOGFONTW description = Font(12, 0, u"");
  HFONT font = CreateFontIndirectW(&description);
  HGDIOBJ firstOld = SelectObject(first, font);
  HGDIOBJ secondOld = SelectObject(second, font);
  SelectObject(first, firstOld);
  EXPECT_FALSE(DeleteObject(font));
  SelectObject(second, secondOld);
  EXPECT_TRUE(DeleteObject(font));
  DeleteDC(first);
  ReleaseDC(nullptr, second);
}

TEST_F(GdiObjectsTest, StockObjectsAreNotCountedAndDeletingThemChangesNothing) {
  for (int id : {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN, BLACK_PEN,
                 NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT}) {
    HGDIOBJ stock = GetStockObject(id);
    ASSERT_NE(stock, nullptr) << id;
    EXPECT_TRUE(DeleteObject(stock)) << id;
    EXPECT_EQ(GetStockObject(id), stock);
    EXPECT_NE(GetObjectType(stock), 0u) << id;
  }
  EXPECT_EQ(GetStockObject(9), nullptr);  // no such stock object
  EXPECT_EQ(GetStockObject(-1), nullptr);
  EXPECT_EQ(handset::gdi::LiveObjects().Total(), 0u);
  EXPECT_EQ(handset::LiveHandleCount(), 0u);

  LOGBRUSH brush{};
  ASSERT_EQ(GetObjectW(GetStockObject(GRAY_BRUSH), sizeof brush, &brush), static_cast<int>(sizeof brush));
  EXPECT_EQ(brush.lbColor, RGB(128, 128, 128));
  LOGPEN pen{};
  ASSERT_EQ(GetObjectW(GetStockObject(NULL_PEN), sizeof pen, &pen), static_cast<int>(sizeof pen));
  EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_NULL));
}

TEST_F(GdiObjectsTest, SelectObjectRefusesWhatIsNotAnObjectAndKeepsTheSelection) {
  HDC dc = GetDC(nullptr);
  EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
  EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x12345678)), nullptr);
  EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(0x12345678), GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_EQ(SelectObject(dc, dc), nullptr);  // a device context is no drawing object
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  // Bitmaps go into memory device contexts only.
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
  EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, dc);
}

TEST_F(GdiObjectsTest, ABitmapLivesInOneMemoryDeviceContextAtATime) {
  HDC screen = GetDC(nullptr);
  HDC first = CreateCompatibleDC(screen);
  HDC second = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  HGDIOBJ stock = SelectObject(first, bitmap);
  EXPECT_NE(stock, nullptr);
  EXPECT_EQ(GetObjectType(stock), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(SelectObject(second, bitmap), nullptr);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(SelectObject(first, stock), bitmap);
  EXPECT_EQ(SelectObject(second, bitmap), stock);  // now free for another
  SelectObject(second, stock);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteDC(first));
  EXPECT_TRUE(DeleteDC(second));
  EXPECT_FALSE(DeleteDC(screen));  // a device context of GetDC goes back with ReleaseDC
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
  EXPECT_EQ(handset::gdi::LiveObjects().Total(), 0u);
}

TEST_F(GdiObjectsTest, CompatibleBitmapsOfAFreshMemoryDeviceContextAreMonochromeAsOnWin32) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAP info{};
  HBITMAP fromMemory = CreateCompatibleBitmap(memory, 10, 3);
  ASSERT_EQ(GetObjectW(fromMemory, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmWidthBytes, 2);
  HBITMAP fromScreen = CreateCompatibleBitmap(screen, 10, 3);
  ASSERT_EQ(GetObjectW(fromScreen, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 10);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL));
  EXPECT_EQ(info.bmPlanes, 1);
  DeleteObject(fromMemory);
  DeleteObject(fromScreen);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST_F(GdiObjectsTest, GetObjectGivesBackTheDescriptionsAsCreated) {
  LOGFONTW description = Font(-28, 984, u"Helvetica Neue LTd Pro 55 Roman");
  description.lfItalic = 1;
  description.lfQuality = CLEARTYPE_QUALITY;
  description.lfClipPrecision = CLIP_CHARACTER_PRECIS;
  HFONT font = CreateFontIndirectW(&description);
  LOGFONTW back{};
  EXPECT_EQ(GetObjectW(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));
  ASSERT_EQ(GetObjectW(font, sizeof back, &back), 92);
  EXPECT_EQ(std::memcmp(&back, &description, sizeof back), 0);

  HPEN pen = CreatePen(PS_DASH, 3, RGB(9, 8, 7));
  LOGPEN penBack{};
  ASSERT_EQ(GetObjectW(pen, sizeof penBack, &penBack), static_cast<int>(sizeof penBack));
  EXPECT_EQ(penBack.lopnStyle, static_cast<UINT>(PS_DASH));
  EXPECT_EQ(penBack.lopnWidth.x, 3);
  EXPECT_EQ(penBack.lopnColor, RGB(9, 8, 7));

  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  LOGBRUSH brushBack{};
  ASSERT_EQ(GetObjectW(brush, sizeof brushBack, &brushBack), static_cast<int>(sizeof brushBack));
  EXPECT_EQ(brushBack.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(brushBack.lbColor, RGB(1, 2, 3));

  // A short buffer takes what fits and nothing more.
  unsigned char partial[8];
  std::memset(partial, 0xEE, sizeof partial);
  EXPECT_EQ(GetObjectW(font, 4, partial), 4);
  EXPECT_EQ(std::memcmp(partial, &description.lfHeight, 4), 0);
  EXPECT_EQ(partial[4], 0xEE);
  EXPECT_EQ(GetObjectW(reinterpret_cast<HGDIOBJ>(0x777777), sizeof back, &back), 0);

  DeleteObject(font);
  DeleteObject(pen);
  DeleteObject(brush);
}

TEST_F(GdiObjectsTest, AFaceNameFillingTheWholeArrayIsCutTo31Characters) {
  const std::u16string name31 = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcde";
  ASSERT_EQ(name31.size(), 31u);
  LOGFONTW description = Font(10, 0, name31.c_str());
  HFONT font = CreateFontIndirectW(&description);
  LOGFONTW back{};
  GetObjectW(font, sizeof back, &back);
  EXPECT_EQ(std::u16string(back.lfFaceName), name31);

  // No terminator inside the 32 units: the platform reads no further and keeps 31 of them.
  LOGFONTW full = Font(10, 0, u"");
  std::fill(std::begin(full.lfFaceName), std::end(full.lfFaceName), u'x');
  HFONT cut = CreateFontIndirectW(&full);
  ASSERT_NE(cut, nullptr);
  GetObjectW(cut, sizeof back, &back);
  EXPECT_EQ(std::u16string(back.lfFaceName), std::u16string(31, u'x'));
  DeleteObject(font);
  DeleteObject(cut);
}

TEST_F(GdiObjectsTest, TheStockSystemFontFollowsTheScreensResolution) {
  HDC dc = GetDC(nullptr);
  LOGFONTW font{};
  GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
  LONG quarterVga = font.lfHeight;
  ASSERT_TRUE(handset::screen::SetSize(480, 640));
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, 2 * quarterVga);
  ReleaseDC(nullptr, dc);
}

TEST_F(GdiObjectsTest, ObjectTypesAndCurrentObjects) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  EXPECT_EQ(GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
  EXPECT_EQ(GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(GetObjectType(GetStockObject(NULL_PEN)), static_cast<DWORD>(OBJ_PEN));
  EXPECT_EQ(GetObjectType(GetCurrentObject(memory, OBJ_BITMAP)), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(GetCurrentObject(memory, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(memory, 99), nullptr);
  EXPECT_EQ(GetCurrentObject(nullptr, OBJ_FONT), nullptr);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST_F(GdiObjectsTest, TheTraceShowsTheOrderOfSelectingRestoringAndDeleting) {
  HDC dc = GetDC(nullptr);
  handset::trace::Start();
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(dc, pen);
  COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 255));
  SetTextColor(dc, oldColour);
  SelectObject(dc, old);
  DeleteObject(pen);
  handset::trace::Stop();
  std::vector<std::string> order;
  for (const auto& call : handset::trace::Calls()) order.push_back(call.function);
  EXPECT_EQ(order, (std::vector<std::string>{"CreatePen", "SelectObject", "SetTextColor", "SetTextColor",
                                             "SelectObject", "DeleteObject"}));
  auto selects = handset::trace::Calls("SelectObject");
  EXPECT_EQ(selects[0].args[0], "pen");
  EXPECT_EQ(selects[0].args[1], selects[1].args[2]);  // the restore hands the pen back
  EXPECT_EQ(handset::trace::Calls("SetTextColor")[0].args[0], "0x00FF0000");
  EXPECT_EQ(handset::trace::Calls("DeleteObject")[0].args, (std::vector<std::string>{"pen", selects[0].args[1], "1"}));
  ReleaseDC(nullptr, dc);
}

TEST_F(GdiObjectsTest, PensOfUnknownStylesAreRefused) {
  EXPECT_EQ(CreatePen(42, 1, 0), nullptr);
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
  EXPECT_EQ(handset::gdi::LiveObjects().Total(), 0u);
}

}  // namespace
