// The options pages' helpers on their own: the about page's formats, the scroll arithmetic the two
// scrolling pages share, and the picture extensions the preferences page accepts.
#include <windows.h>

#include <string>

#include "internals/internals_test.h"

namespace {

constexpr int kVersionLine = 7209;
constexpr int kYearLine = 1033;

class PageHelpersTest : public testing_support::InternalsTest {
 protected:
  // A page holding the two format lines with these texts.
  HWND Page(const char16_t* version, const char16_t* year) {
    HWND page = CreateWindowExW(0, u"static", u"", WS_VISIBLE, 0, 0, 240, 300, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExW(0, u"static", version, WS_CHILD, 0, 0, 240, 20, page, reinterpret_cast<HMENU>(kVersionLine),
                    nullptr, nullptr);
    CreateWindowExW(0, u"static", year, WS_CHILD, 0, 20, 240, 20, page, reinterpret_cast<HMENU>(kYearLine), nullptr,
                    nullptr);
    return page;
  }
  static std::u16string Text(HWND page, int id) {
    WCHAR text[256] = {};
    GetDlgItemTextW(page, id, text, 256);
    return text;
  }
};

// A line is filled in only while its text is a format for the arguments the page passes, in their
// order: any other directive would read arguments that were never passed. A filled-in line stays.
TEST_F(PageHelpersTest, AboutLinesAreFilledOnlyFromFormatsForTheirArguments) {
  struct Case {
    const char16_t* version;
    const char16_t* expected;
  } cases[] = {
      {u"Version %s (%d)", u"Version 2.5 (#)"},
      {u"%s", u"2.5"},
      {u"100%% %s", u"100% 2.5"},
      {u"Version %d %s", u"Version %d %s"},  // the number first would read the text as a number
      {u"%s %d %s", u"%s %d %s"},            // one directive more than arguments
      {u"%s %n", u"%s %n"},
      {u"%*d", u"%*d"},
      {u"Version 2.5", u"Version 2.5"},
  };
  std::string number = std::to_string(lib_->VTGetVersion());
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.version, c.version + std::char_traits<char16_t>::length(c.version)));
    HWND page = Page(c.version, u"%c %d");
    lib_->ComposeAboutTexts(page, nullptr);
    std::u16string expected = c.expected;
    if (auto at = expected.find(u'#'); at != std::u16string::npos)
      expected.replace(at, 1, std::u16string(number.begin(), number.end()));
    EXPECT_EQ(Text(page, kVersionLine), expected);
    std::u16string year = Text(page, kYearLine);
    ASSERT_FALSE(year.empty());
    EXPECT_EQ(year[0], u'\u00A9');
    lib_->ComposeAboutTexts(page, nullptr);
    EXPECT_EQ(Text(page, kYearLine), year) << "formatting twice leaves the line as it is";
    DestroyWindow(page);
  }
}

// Line and page steps from the base the request carries, or from the page's own position when the
// scroll bar's request carries none; thumb tracking goes to the base; other codes ask for nothing.
TEST_F(PageHelpersTest, ScrollRequestsMoveFromTheirBase) {
  HWND page = CreateWindowExW(0, u"static", u"", WS_VISIBLE | WS_VSCROLL, 0, 0, 240, 100, nullptr, nullptr, nullptr,
                              nullptr);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 400, 100, 40, 0};
  SetScrollInfo(page, SB_VERT, &info, FALSE);
  struct Case {
    WPARAM request;
    BOOL asked;
    int target;
  } cases[] = {
      {MAKEWPARAM(SB_LINEDOWN, 65), TRUE, 75},   {MAKEWPARAM(SB_LINEUP, (WORD)-15), TRUE, -25},
      {MAKEWPARAM(SB_PAGEDOWN, 10), TRUE, 110},  {MAKEWPARAM(SB_PAGEUP, 0), TRUE, -60},
      {MAKEWPARAM(SB_LINEDOWN, 0), TRUE, 50},    {MAKEWPARAM(SB_THUMBTRACK, 123), TRUE, 123},
      {MAKEWPARAM(SB_THUMBPOSITION, 9), FALSE, 0}, {MAKEWPARAM(6, 9), FALSE, 0},
      {MAKEWPARAM(7, 9), FALSE, 0},
  };
  for (const auto& c : cases) {
    int target = 0;
    EXPECT_EQ(lib_->ScrollRequestTarget(page, c.request, 100, &target), c.asked) << c.request;
    if (c.asked) {
      EXPECT_EQ(target, c.target) << c.request;
    }
  }
  DestroyWindow(page);
}

TEST_F(PageHelpersTest, PictureFilesAreKnownByTheirExtension) {
  EXPECT_TRUE(lib_->IsAcceptedPictureFile(u"\\My Documents\\me.JPG"));
  EXPECT_TRUE(lib_->IsAcceptedPictureFile(u"\\My Documents\\a.b.wbmp"));
  EXPECT_FALSE(lib_->IsAcceptedPictureFile(u"\\My Documents\\me.jpeg"));
  EXPECT_FALSE(lib_->IsAcceptedPictureFile(u"\\My.Documents\\me"));
  EXPECT_FALSE(lib_->IsAcceptedPictureFile(u""));
  EXPECT_FALSE(lib_->IsAcceptedPictureFile(nullptr));
}

}  // namespace
