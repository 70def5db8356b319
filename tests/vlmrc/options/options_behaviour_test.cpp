// The options screen's rules that only show in particular situations: a square screen, the guard
// after the forwarding flow, the about page's scroll range and gaps on every screen size, and the
// preferences page applying through the sheet's apply path.
#include <commctrl.h>
#include <vlmrc/vlmrc.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "handset/screen.h"
#include "handset/user.h"
#include "options_screen_support.h"
#include "zarvo3gvt/network.h"

namespace {

using namespace options_testing;
namespace user = handset::user;
namespace network = zarvo3gvt::network;
using namespace std::chrono_literals;

constexpr int kMuteVideoPicture = 2;
constexpr int kMuteVideoDefaultPicture = 3;
constexpr int kCameraLabel = 1033;
// The about page's lines, top to bottom.
constexpr int kAboutLines[] = {1030, 1035, 7209, 1033, 1032, 1034};
constexpr int kNormalLogoHeight = 36;

// A window's rectangle in its parent's client coordinates.
RECT InParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND AboutLogo(HWND page) {
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
  return nullptr;
}

SCROLLINFO VerticalScroll(HWND page) {
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_ALL;
  GetScrollInfo(page, SB_VERT, &scroll);
  return scroll;
}

// The shell's repositioning without a rotation before it.
user::Step Reposition() {
  return user::Run("reposition without owner z-order", [] {
    RECT rect;
    GetWindowRect(GetActiveWindow(), &rect);
    SetWindowPos(GetActiveWindow(), nullptr, rect.left + 1, rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
  });
}

class OptionsBehaviourTest : public OptionsScreenFixture {
 protected:
  // Runs the options screen on a screen of that size; every step must be taken and hold.
  void Open(int width, int height, std::vector<user::Step> steps) {
    ASSERT_TRUE(handset::screen::SetSize(width, height));
    g_changeNotices = 0;
    EXPECT_EQ(RunScreen(std::move(steps)), 1);
  }
};

// A square screen is not portrait: its pages take the landscape layouts and the about page does
// not scroll; turning from it to portrait or to landscape changes the orientation, so the shell's
// repositioning after the turn leaves the sheet open.
TEST_F(OptionsBehaviourTest, OnASquareScreenTheHeightAgainstTheWidthDecides) {
  RECT muteList{}, cameraLabel{};
  SCROLLINFO aboutScroll{};
  Open(240, 240, {user::Expect(user::Dialog(kPreferencesTemplate)), user::Run("read the preferences page", [&] {
                    muteList = InParent(GetDlgItem(CurrentPage(), kMuteVideoList));
                    cameraLabel = InParent(GetDlgItem(CurrentPage(), kCameraLabel));
                  }),
                  user::Tab(u"About"), user::Run("read the about page", [&] { aboutScroll = VerticalScroll(CurrentPage()); }),
                  user::Cancel()});
  EXPECT_GE(cameraLabel.left, muteList.right) << "the camera settings beside the lists, as in landscape";
  EXPECT_EQ(aboutScroll.nMax, 0);
  EXPECT_EQ(aboutScroll.nPage, 0u);

  for (auto [width, height] : {std::pair{240, 320}, std::pair{320, 240}}) {
    SCOPED_TRACE("240x240 to " + std::to_string(width) + "x" + std::to_string(height));
    Open(240, 240, {user::Rotate(width, height), Reposition(), user::Ok()});
    EXPECT_EQ(g_changeNotices, 2) << "closed with OK, not cancelled by the repositioning";
  }
}

// The sheet remembers the orientation it was opened in when it is first activated, so turning from
// portrait or landscape into a square screen is a change of orientation and the shell's
// repositioning after it leaves the sheet open.
TEST_F(OptionsBehaviourTest, TurningIntoASquareScreenIsAChangeOfOrientation) {
  for (auto [width, height] : {std::pair{240, 320}, std::pair{320, 240}}) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " to 240x240");
    Open(width, height, {user::Rotate(240, 240), Reposition(), user::Ok()});
    EXPECT_EQ(g_changeNotices, 2) << "closed with OK, not cancelled by the repositioning";
  }
}

// The forwarding flow leaves the guard set for the sheet; the first repositioning after it consumes
// the guard and leaves the sheet open, and from then on the sheet cancels itself again.
TEST_F(OptionsBehaviourTest, TheGuardOfTheForwardingFlowServesOneRepositioning) {
  network::WriteBehaviour({.failure = network::Failure::Silent, .error = 30, .latencyMs = 0});
  struct Case {
    const char* name;
    user::Step then;
  } cases[] = {{"reposition", Reposition()}, {"switch", user::SwitchApplication()}};
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Open(240, 320, {user::Tab(u"Forwarding"), user::Expect(user::Dialog(kForwardingTemplate)),
                    user::Tap(kForwardingStart), user::Cancel().When(user::Dialog(kQueryDialog, 2s)),
                    user::Expect(user::Dialog(kForwardingTemplate, 2s)), Reposition(),
                    user::Expect(user::Dialog(kForwardingTemplate)), std::move(c.then)});
    EXPECT_EQ(g_changeNotices, 0) << "cancelled";
  }
}

// The about page scrolls in landscape only: over its lines' full height, a page at a time (the
// scroll bar cuts the page to the range when the lines fit).
TEST_F(OptionsBehaviourTest, TheAboutPageScrollsOverItsLinesInLandscapeOnly) {
  struct Size {
    int width, height;
    bool landscape;
  } sizes[] = {{240, 320, false}, {480, 640, false}, {480, 800, false},
               {320, 240, true},  {640, 480, true},  {800, 480, true}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
    SCROLLINFO scroll{};
    RECT page{}, lastLine{};
    Open(size.width, size.height, {user::Tab(u"About"), user::Run("read the about page", [&] {
                                     scroll = VerticalScroll(CurrentPage());
                                     GetWindowRect(CurrentPage(), &page);
                                     lastLine = InParent(GetDlgItem(CurrentPage(), kAboutLines[5]));
                                   }),
                                   user::Cancel()});
    EXPECT_EQ(scroll.nMin, 0);
    EXPECT_EQ(scroll.nPos, 0);
    EXPECT_EQ(scroll.nMax, size.landscape ? lastLine.bottom : 0);
    UINT pageStep = std::min<UINT>(static_cast<UINT>(page.bottom - page.top), static_cast<UINT>(lastLine.bottom) + 1);
    EXPECT_EQ(scroll.nPage, size.landscape ? pageStep : 0u);
  }
}

// The normal look stacks the lines from the top with gaps of s pixels (s = 2 on screens wider than
// 480, else 1) and puts the logo between the version line and the year line.
TEST_F(OptionsBehaviourTest, TheAboutPagesGapsDoubleOnTheWideScreens) {
  struct Size {
    int width, height, s;
  } sizes[] = {{240, 320, 1}, {320, 240, 1}, {480, 640, 1}, {640, 480, 2}, {800, 480, 2}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
    std::vector<RECT> lines;
    RECT logo{};
    Open(size.width, size.height, {user::Tab(u"About"), user::Run("read the about page", [&] {
                                     for (int id : kAboutLines) lines.push_back(InParent(GetDlgItem(CurrentPage(), id)));
                                     if (HWND window = AboutLogo(CurrentPage())) logo = InParent(window);
                                   }),
                                   user::Cancel()});
    ASSERT_EQ(lines.size(), 6u);
    const int s = size.s;
    EXPECT_EQ(logo.bottom - logo.top, kNormalLogoHeight);
    EXPECT_EQ(lines[0].top, 12 * s);
    EXPECT_EQ(lines[1].top, lines[0].bottom + s);
    EXPECT_EQ(lines[2].top, lines[1].bottom + s);
    EXPECT_EQ(logo.top, lines[2].bottom + 6 * s);
    EXPECT_EQ(lines[3].top, lines[2].bottom + 12 * s + kNormalLogoHeight);
    EXPECT_EQ(lines[4].top, lines[3].bottom + 3 * s);
    EXPECT_EQ(lines[5].top, lines[4].bottom + 3 * s);
  }
}

// "Picture" chosen with no file cannot be shown: applying turns it into the default picture, in the
// list and in the record. Applying through the sheet's apply path closes the sheet too, as the
// page presses OK itself once it has applied: the page stores at the apply, again at that OK, and
// the sheet stores once more.
TEST_F(OptionsBehaviourTest, APictureWithoutAFileBecomesTheDefaultPictureAndApplyingClosesTheSheet) {
  VTOptSetting record{};
  VLMRC_EXPORT(SetVTOptSetting)(&record);
  LRESULT selected = -1;
  Open(240, 320, {user::Expect(user::ControlText(kPicturePath, u"")), user::Select(kMuteVideoList, kMuteVideoPicture),
                  user::Run("apply through the sheet", [&] {
                    SendMessageW(GetActiveWindow(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
                    selected = SendDlgItemMessageW(CurrentPage(), kMuteVideoList, CB_GETCURSEL, 0, 0);
                  })});
  EXPECT_EQ(selected, kMuteVideoDefaultPicture);
  VLMRC_EXPORT(GetVTOptSetting)(&record);
  EXPECT_EQ(record.MuteVideo, static_cast<DWORD>(kMuteVideoDefaultPicture));
  EXPECT_EQ(g_changeNotices, 3);

  Open(240, 320, {user::Select(kMuteVideoList, kMuteVideoPicture), user::Ok()});
  VLMRC_EXPORT(GetVTOptSetting)(&record);
  EXPECT_EQ(record.MuteVideo, static_cast<DWORD>(kMuteVideoDefaultPicture)) << "accepted with OK";
}

}  // namespace
