// Centring a dialog, the options sheet's title line and the bDBMUI flag.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "handset/modules.h"
#include "handset/registry.h"
#include "internals/internals_test.h"

namespace {

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

std::u16string Text(HWND window) {
  WCHAR text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// The shell's unnamed export 21, as a test module "aygshell.dll" provides it.
std::vector<std::pair<HWND, DWORD>> g_shellCalls;
BOOL WINAPI SheetService(HWND sheet, DWORD value) {
  g_shellCalls.emplace_back(sheet, value);
  return TRUE;
}

class WindowHelpersTest : public testing_support::InternalsTest {
 protected:
  void SetUp() override {
    InternalsTest::SetUp();
    WNDCLASSW plain{};
    plain.lpfnWndProc = PlainProc;
    plain.hInstance = module_;
    plain.lpszClassName = u"HelperTestWindow";
    ASSERT_NE(RegisterClassW(&plain), 0);
    g_shellCalls.clear();
  }

  void ProvideShellService() {
    handset::InMemoryModule shell;
    shell.exports.push_back({u"SheetService", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&SheetService)), 21});
    handset::RegisterModule(u"aygshell.dll", std::move(shell));
  }

  HWND TopLevel(int x, int y, int width, int height, HWND owner = nullptr) {
    return CreateWindowExW(0, u"HelperTestWindow", u"", WS_POPUP, x, y, width, height, owner, nullptr, module_,
                           nullptr);
  }
  HWND Child(HWND parent, const char16_t* className, const char16_t* text) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent, nullptr, module_,
                           nullptr);
  }
};

TEST_F(WindowHelpersTest, CenteringHalvesTheSpareRoomTowardZeroAndKeepsTheSize) {
  struct Case {
    int width, height, x, y;
  };
  // The handset's screen is 240 x 320.
  for (const Case& c : {Case{100, 51, 70, 134}, Case{243, 100, -1, 110}, Case{240, 323, 0, -1},
                        Case{245, 325, -2, -2}}) {
    HWND window = TopLevel(7, 9, c.width, c.height);
    lib_->CenterWindowOnScreen(window);
    RECT rect = WindowRect(window);
    EXPECT_EQ(rect.left, c.x) << c.width << " x " << c.height;
    EXPECT_EQ(rect.top, c.y) << c.width << " x " << c.height;
    EXPECT_EQ(rect.right - rect.left, c.width);
    EXPECT_EQ(rect.bottom - rect.top, c.height);
    DestroyWindow(window);
  }
  lib_->CenterWindowOnScreen(nullptr);
}

TEST_F(WindowHelpersTest, TheSheetsFirstStaticChildGetsTheTitleAndTheShellIsToldOnce) {
  ProvideShellService();
  HWND sheet = TopLevel(0, 0, 240, 294);
  HWND button = Child(sheet, u"button", u"OK");
  HWND first = Child(sheet, u"STATIC", u"old title");  // class names ignore case; the class is "static"
  HWND second = Child(sheet, u"static", u"other");
  HWND page = Child(sheet, u"HelperTestWindow", u"page");

  lib_->SetSheetTitle(page, INTERNALS_STRING_PREFERENCES_TITLE);
  EXPECT_EQ(Text(first), u"Video call preferences");
  EXPECT_EQ(Text(second), u"other");
  EXPECT_EQ(Text(button), u"OK");
  ASSERT_EQ(g_shellCalls.size(), 1u);
  EXPECT_EQ(g_shellCalls[0].first, sheet);
  EXPECT_EQ(g_shellCalls[0].second, 1u);

  lib_->SetSheetTitle(page, INTERNALS_STRING_FORWARDING_TITLE);
  EXPECT_EQ(Text(first), u"Call forwarding");
  EXPECT_EQ(g_shellCalls.size(), 2u);
  DestroyWindow(sheet);
}

TEST_F(WindowHelpersTest, ASheetWithoutStaticChildKeepsItsTextsButTheShellIsStillTold) {
  ProvideShellService();
  HWND sheet = TopLevel(0, 0, 240, 294);
  HWND button = Child(sheet, u"button", u"OK");
  HWND page = Child(sheet, u"HelperTestWindow", u"page");

  lib_->SetSheetTitle(page, INTERNALS_STRING_PREFERENCES_TITLE);
  EXPECT_EQ(Text(button), u"OK");
  EXPECT_EQ(Text(page), u"page");
  ASSERT_EQ(g_shellCalls.size(), 1u);
  EXPECT_EQ(g_shellCalls[0].first, sheet);
  DestroyWindow(sheet);
}

TEST_F(WindowHelpersTest, ASheetWithoutChildrenOrAPageWithoutSheetIsLeftAlone) {
  ProvideShellService();
  // A top-level page's "parent" is its owner: here a sheet without children.
  HWND sheet = TopLevel(0, 0, 240, 294);
  HWND page = TopLevel(0, 0, 240, 200, sheet);
  ASSERT_EQ(GetParent(page), sheet);
  lib_->SetSheetTitle(page, INTERNALS_STRING_PREFERENCES_TITLE);

  HWND alone = TopLevel(0, 0, 100, 100);
  lib_->SetSheetTitle(alone, INTERNALS_STRING_PREFERENCES_TITLE);
  lib_->SetSheetTitle(nullptr, INTERNALS_STRING_PREFERENCES_TITLE);
  EXPECT_TRUE(g_shellCalls.empty());
  DestroyWindow(page);
  DestroyWindow(sheet);
  DestroyWindow(alone);
}

TEST_F(WindowHelpersTest, WithoutTheShellServiceTheTitleIsStillSet) {
  HWND sheet = TopLevel(0, 0, 240, 294);
  HWND title = Child(sheet, u"static", u"");
  HWND page = Child(sheet, u"HelperTestWindow", u"page");
  lib_->SetSheetTitle(page, INTERNALS_STRING_PREFERENCES_TITLE);
  EXPECT_EQ(Text(title), u"Video call preferences");
  DestroyWindow(sheet);
}

TEST_F(WindowHelpersTest, TheDBMUIFlagIsWhatTheOptionsSheetLastLoaded) {
  EXPECT_EQ(lib_->GetDBMUIFlag(), 0u);
  handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Phone", "bDBMUI", 5);
  EXPECT_EQ(lib_->GetDBMUIFlag(), 0u) << "the flag is read when the sheet loads it, not by the getter";
  lib_->LoadDBMUISetting();
  EXPECT_EQ(lib_->GetDBMUIFlag(), 1u);
  handset::registry::WriteDword("HKLM\\Software\\Zarvo\\Phone", "bDBMUI", 0);
  lib_->LoadDBMUISetting();
  EXPECT_EQ(lib_->GetDBMUIFlag(), 0u);
}

}  // namespace
