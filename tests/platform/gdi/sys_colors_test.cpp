// The system colours, by Windows CE's flagged indexes and by the bare ones.
#include <gtest/gtest.h>

#include "handset/gdi.h"
#include "support/handset_test.h"
#include "windows.h"

namespace {

using testing_support::HandsetTest;
using SysColorsTest = HandsetTest;

TEST_F(SysColorsTest, TheIndexFlagIsOptionalAndUnknownIndexesGiveBlack) {
  EXPECT_EQ(COLOR_WINDOW, 5 | 0x40000000);
  EXPECT_EQ(COLOR_HIGHLIGHT, 13 | 0x40000000);
  EXPECT_EQ(COLOR_WINDOWFRAME, 6 | 0x40000000);
  for (int index = 0; index < C_SYS_COLOR_TYPES; ++index)
    EXPECT_EQ(GetSysColor(index), GetSysColor(index | SYS_COLOR_INDEX_FLAG)) << index;
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
  EXPECT_NE(GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(GetSysColor(C_SYS_COLOR_TYPES), 0u);
  EXPECT_EQ(GetSysColor(-1), 0u);
}

TEST_F(SysColorsTest, SystemColourBrushesAreSharedAndNeverCounted) {
  HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHT);
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(GetSysColorBrush(13), brush);
  LOGBRUSH description{};
  ASSERT_EQ(GetObjectW(brush, sizeof description, &description), static_cast<int>(sizeof description));
  EXPECT_EQ(description.lbColor, GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(GetSysColorBrush(COLOR_HIGHLIGHT), brush);
  EXPECT_EQ(GetSysColorBrush(99), nullptr);
  EXPECT_EQ(handset::gdi::LiveObjects().Total(), 0u);
}

}  // namespace
