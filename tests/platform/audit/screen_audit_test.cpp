// The screen audit on windows made for it: each fault a person would see gives one finding naming
// the control, and a screen without one gives none.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handset/audit.h"
#include "handset/user.h"
#include "support/handset_test.h"

namespace {

namespace audit = handset::audit;
namespace user = handset::user;

constexpr WCHAR kHostClass[] = u"AuditHost";

HWND Child(HWND parent, LPCWSTR className, LPCWSTR text, DWORD style, int id, int x, int y, int width, int height) {
  return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

// A page that scrolls by `range` pixels in all, showing 200 of them, with a button at `buttonTop`.
void ScrollingPage(HWND host, int range, int buttonTop) {
  HWND page = Child(host, kHostClass, u"", WS_VSCROLL, 50, 0, 0, 240, 200);
  SCROLLINFO scroll{sizeof scroll, SIF_RANGE | SIF_PAGE | SIF_POS, 0, range, 200, 0, 0};
  SetScrollInfo(page, SB_VERT, &scroll, TRUE);
  Child(page, u"button", u"Far", BS_PUSHBUTTON, 51, 10, buttonTop, 80, 24);
}

struct Case {
  const char* name;
  void (*build)(HWND host);
  const char* kind;  // nullptr: no finding
  int id;
};

const Case kCases[] = {
    {"a button past the right edge of the screen",
     [](HWND host) { Child(host, u"button", u"Go", BS_PUSHBUTTON, 10, 200, 40, 80, 24); }, "outside-screen", 10},
    {"a button past the edge of the panel it belongs to",
     [](HWND host) {
       HWND panel = Child(host, kHostClass, u"", 0, 20, 10, 10, 100, 100);
       Child(panel, u"button", u"Go", BS_PUSHBUTTON, 21, 60, 10, 60, 24);
     },
     "outside-parent", 21},
    {"a label too narrow for its text",
     [](HWND host) { Child(host, u"static", u"Show number/name", SS_LEFTNOWORDWRAP, 11, 10, 10, 40, 16); },
     "clipped-text", 11},
    {"a wrapping label too low for its lines",
     [](HWND host) {
       Child(host, u"static", u"A label whose words wrap onto several lines", SS_LEFT, 12, 10, 10, 80, 16);
     },
     "clipped-text", 12},
    {"a check box whose label runs past its end",
     [](HWND host) { Child(host, u"button", u"Mirror the camera picture", BS_AUTOCHECKBOX, 13, 10, 10, 90, 20); },
     "clipped-text", 13},
    {"two overlapping buttons",
     [](HWND host) {
       Child(host, u"button", u"One", BS_PUSHBUTTON, 14, 10, 10, 80, 24);
       Child(host, u"button", u"Two", BS_PUSHBUTTON, 15, 50, 20, 80, 24);
     },
     "overlap", 15},
    {"a control below a page that its scroll range does not reach",
     [](HWND host) { ScrollingPage(host, 250, 350); }, "outside-parent", 51},
    {"a clean dialog: labels and buttons that fit, a group box around its member",
     [](HWND host) {
       Child(host, u"button", u"Options", BS_GROUPBOX, 30, 5, 5, 230, 60);
       Child(host, u"button", u"Mirror", BS_AUTOCHECKBOX, 31, 15, 25, 120, 20);
       Child(host, u"static", u"Name:", SS_LEFT, 32, 10, 80, 100, 20);
       Child(host, u"button", u"OK", BS_DEFPUSHBUTTON, IDOK, 10, 120, 80, 24);
       Child(host, u"button", u"Cancel", BS_PUSHBUTTON, IDCANCEL, 100, 120, 80, 24);
     },
     nullptr, 0},
    {"a control below the screen that the page's scroll range reaches",
     [](HWND host) { ScrollingPage(host, 400, 350); }, nullptr, 0},
};

class ScreenAuditTest : public testing_support::HandsetTest {
 protected:
  void SetUp() override {
    HandsetTest::SetUp();
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = kHostClass;
    ASSERT_TRUE(RegisterClassW(&wc));
    host_ = CreateWindowExW(0, kHostClass, u"Audit", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_NE(host_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(host_);
    HandsetTest::TearDown();
  }

  static std::string Listed(const std::vector<audit::Finding>& findings) {
    std::string text;
    for (const auto& finding : findings) text += "\n  " + finding.kind + ": " + finding.detail;
    return text;
  }

  HWND host_ = nullptr;
};

TEST_F(ScreenAuditTest, EachFaultGivesOneFindingNamingTheControlAndACleanScreenNone) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    while (HWND child = GetWindow(host_, GW_CHILD)) DestroyWindow(child);
    c.build(host_);
    auto findings = audit::CheckScreen();
    if (!c.kind) {
      EXPECT_TRUE(findings.empty()) << Listed(findings);
      continue;
    }
    ASSERT_EQ(findings.size(), 1u) << Listed(findings);
    EXPECT_EQ(findings[0].kind, c.kind) << findings[0].detail;
    EXPECT_EQ(findings[0].id, c.id);
    EXPECT_EQ(findings[0].window, GetDlgItem(GetParent(findings[0].window), c.id));
    EXPECT_FALSE(findings[0].detail.empty());
  }
}

TEST_F(ScreenAuditTest, TheDetailSaysWhatAPersonSees) {
  Child(host_, u"static", u"Show number/name", SS_LEFTNOWORDWRAP, 11, 10, 10, 40, 16);
  auto findings = audit::CheckScreen();
  ASSERT_EQ(findings.size(), 1u) << Listed(findings);
  EXPECT_NE(findings[0].detail.find("label \"Show number/name\" (11)"), std::string::npos) << findings[0].detail;
  EXPECT_NE(findings[0].detail.find("has 40 px of width"), std::string::npos) << findings[0].detail;
}

TEST_F(ScreenAuditTest, AButtonUnderAMessageBoxIsCoveredUnlessItsWindowWaitsForTheBox) {
  HWND button = Child(host_, u"button", u"Call", BS_PUSHBUTTON, 40, 60, 150, 120, 30);
  for (HWND owner : {static_cast<HWND>(nullptr), host_}) {
    SCOPED_TRACE(owner ? "the box is modal to the button's window" : "the box belongs to no window");
    std::vector<audit::Finding> findings;
    user::SetScript({user::Expect(user::MessageBox(u"Busy")),
                     user::Run("audit", [&] { findings = audit::CheckScreen(); }), user::Answer(IDOK)});
    MessageBoxW(owner, u"Busy", u"Phone", MB_OK);
    EXPECT_TRUE(user::Failures().empty());
    if (owner) {
      EXPECT_TRUE(findings.empty()) << "a disabled window takes no input" << Listed(findings);
      continue;
    }
    ASSERT_EQ(findings.size(), 1u) << Listed(findings);
    EXPECT_EQ(findings[0].kind, "covered");
    EXPECT_EQ(findings[0].window, button);
    EXPECT_EQ(findings[0].id, 40);
  }
}

}  // namespace
