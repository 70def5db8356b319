// The options screen through CreateVTOpt, as a person uses it: the scripted user opens pages, ticks
// boxes, picks lists and closes the sheet; the registry and the host's worker window tell what was
// stored.
#include <commctrl.h>
#include <vlmrc/vlmrc.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "handset/dialog_template.h"
#include "handset/modules.h"
#include "handset/screen.h"
#include "handset/trace.h"
#include "handset/user.h"
#include "options_screen_support.h"
#include "zarvo3gvt/network.h"

namespace {

using namespace options_testing;
namespace user = handset::user;
namespace network = zarvo3gvt::network;
using namespace std::chrono_literals;

constexpr int kMirrorCameraBox = 7204;
constexpr int kShowCallTimeBox = 1020;
constexpr int kViewModeList = 1041;
constexpr int kAboutTemplate = 7308;
constexpr int kVersionLine = 7209;
constexpr int kForwardingSettings = 7306;
constexpr int kBusyBox = 1023;
constexpr int kBusyNumber = 1053;


// Where the page's controls stand against the template's rectangles, mapped with the page's own
// dialog units: empty when every control of the template stands on its rectangle, else the first
// one that does not. A combo box's window is its selection field, so only its left, top and
// right edges are the template's. The preferences page puts its scrolling controls back at their
// screen x as their client x, so those stand further right by the screen x of the page's client
// origin (0 on a sheet without a side frame).
std::string OffTemplate(HWND page, int templateId) {
  HMODULE library = GetModuleHandleW(u"vlmrc.dll");
  HRSRC found = FindResourceW(library, MAKEINTRESOURCEW(templateId), RT_DIALOG);
  if (!found) return "no template " + std::to_string(templateId);
  auto read = handset::dialogs::ReadDialogTemplate(LockResource(LoadResource(library, found)), SizeofResource(library, found));
  if (!read) return read.error;
  static const std::set<int> scrolling = {1030, 1040, 7200, 7201, 1032, 1041, 1033, 7204, 1022, 1023, 1034, 1020, 1021};
  bool preferences = templateId == 7301 || templateId == 7303;
  POINT origin{0, 0};
  ClientToScreen(page, &origin);
  for (const auto& item : read.dialog->items) {
    HWND control = GetDlgItem(page, static_cast<int>(item.id));
    if (static_cast<std::int16_t>(item.id) == -1 || !control) continue;
    RECT expected{item.x, item.y, item.x + item.cx, item.y + item.cy};
    MapDialogRect(page, &expected);
    if (preferences && scrolling.count(static_cast<int>(item.id))) {
      expected.left += origin.x;
      expected.right += origin.x;
    }
    RECT actual;
    GetWindowRect(control, &actual);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&actual), 2);
    bool combo = item.windowClass.ordinal == 0x85;
    if (actual.left != expected.left || actual.top != expected.top || actual.right != expected.right ||
        (!combo && actual.bottom != expected.bottom))
      return "control " + std::to_string(item.id) + " of template " + std::to_string(templateId) + " at " +
             std::to_string(actual.left) + "," + std::to_string(actual.top) + "-" + std::to_string(actual.right) +
             "," + std::to_string(actual.bottom) + ", template says " + std::to_string(expected.left) + "," +
             std::to_string(expected.top) + "-" + std::to_string(expected.right) + "," + std::to_string(expected.bottom);
  }
  return "";
}

// The sheet as a person sees it: as wide as the screen, its tab row along the bottom of its client
// area, the current page filling the space above the tabs; empty when so, else what is wrong.
std::string SheetLayout() {
  HWND sheet = GetActiveWindow();
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  RECT window, client, tabRect, pageRect;
  GetWindowRect(sheet, &window);
  GetClientRect(sheet, &client);
  GetWindowRect(tabs, &tabRect);
  GetWindowRect(CurrentPage(), &pageRect);
  MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&tabRect), 2);
  MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&pageRect), 2);
  int width = GetSystemMetrics(SM_CXSCREEN);
  if (window.left != 0 || window.right != width)
    return "the sheet spans " + std::to_string(window.left) + "-" + std::to_string(window.right) + " of a screen " +
           std::to_string(width) + " wide";
  if (!IsWindowVisible(tabs) || tabRect.left != 0 || tabRect.bottom != client.bottom || tabRect.right != client.right ||
      tabRect.top >= tabRect.bottom)
    return "the tab row is not along the bottom";
  if (pageRect.left != 0 || pageRect.top != 0 || pageRect.right != client.right || pageRect.bottom != tabRect.top)
    return "the page does not fill the space above the tabs";
  return "";
}

class OptionsScreenTest : public OptionsScreenFixture {
 protected:
  void Store(const VTOptSetting& record) {
    VLMRC_EXPORT(SetVTOptSetting)(&record);
    g_changeNotices = 0;
  }
  VTOptSetting Stored() {
    VTOptSetting record{};
    VLMRC_EXPORT(GetVTOptSetting)(&record);
    return record;
  }
  int Open(std::vector<user::Step> steps) { return RunScreen(std::move(steps)); }
  static VTOptSetting Defaults() {
    VTOptSetting record{};
    record.bMirrorCamera = 1;
    record.bAcceptVideoCallMuteVideo = 1;
    record.bMakeVideoCallMuteVideo = 1;
    return record;
  }
};

// OK stores the record twice (the page on apply, then the sheet) and Cancel not at all; the export
// answers 1 either way.
TEST_F(OptionsScreenTest, OkStoresTwiceCancelNeverAndBothReturnOne) {
  struct Case {
    const char* name;
    user::Step close;
    int notices;
    DWORD showCallTime;
  } cases[] = {{"ok", user::Ok(), 2, 1}, {"cancel", user::Cancel(), 0, 0}, {"soft key OK", user::SoftKey(1), 2, 1},
               {"soft key Cancel", user::SoftKey(2), 0, 0}};
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Store(Defaults());
    EXPECT_EQ(Open({user::Expect(user::Dialog(kPreferencesTemplate)), user::Check(kShowCallTimeBox),
                    std::move(c.close)}),
              1);
    EXPECT_EQ(g_changeNotices, c.notices);
    EXPECT_EQ(Stored().bShowCallTime, c.showCallTime);
  }
}

// A box below the fold of the 240 x 320 preferences page is ticked as a person does it: taps on
// the page's scroll bar bring it into sight (the page's own scrolling moves it), then a tap on it.
TEST_F(OptionsScreenTest, ABoxBelowTheFoldIsScrolledIntoSightBeforeItIsTicked) {
  constexpr int kShowNumberBox = 1021;
  handset::screen::SetSize(240, 320);
  Store(Defaults());
  int before = -1, after = -1;
  RECT box{}, visible{};
  auto look = [&](int& position) {
    return user::Run("look", [&] {
      HWND page = CurrentPage();
      position = GetScrollPos(page, SB_VERT);
      GetWindowRect(GetDlgItem(page, kShowNumberBox), &box);
      GetClientRect(page, &visible);
      MapWindowPoints(page, nullptr, reinterpret_cast<POINT*>(&visible), 2);
    });
  };
  Open({user::Expect(user::Dialog(kPreferencesTemplate)), look(before), user::Check(kShowNumberBox), look(after),
        user::Ok()});
  EXPECT_EQ(before, 0);
  EXPECT_GT(after, before) << "the page was scrolled";
  EXPECT_GE(box.top, visible.top);
  EXPECT_LE(box.bottom, visible.bottom) << "the box stands inside the page's visible area";
  EXPECT_EQ(Stored().bShowPhoneNum_Name, 1u);
}

// The preferences page edits the record: the mirror box is inverted, a picture chosen as muted video
// without a file falls back to the default picture, a path typed by hand is stored as typed.
TEST_F(OptionsScreenTest, ThePreferencesPageStoresWhatTheUserChose) {
  VTOptSetting record = Defaults();
  record.MuteVideo = 2;
  Store(record);
  Open({user::Expect(user::ControlText(kPicturePath, u"")), user::Check(kMirrorCameraBox), user::Ok()});
  VTOptSetting stored = Stored();
  EXPECT_EQ(stored.bMirrorCamera, 0u);
  EXPECT_EQ(stored.MuteVideo, 3u) << "a picture without a file becomes the default picture";

  Open({user::Uncheck(kMirrorCameraBox), user::Select(kMuteVideoList, 2),
        user::Type(kPicturePath, u"\\My Documents\\me.jpg"), user::Select(kViewModeList, 3), user::Ok()});
  stored = Stored();
  EXPECT_EQ(stored.bMirrorCamera, 1u);
  EXPECT_EQ(stored.MuteVideo, 2u);
  EXPECT_EQ(std::u16string(stored.PicFileName), u"\\My Documents\\me.jpg");
  EXPECT_EQ(stored.ViewMode, 3u);
}

// A picture as muted video without a file: the list shows the default picture, and the picture
// controls that the page enabled are disabled again at once, because the sheet gives the list (the
// page's first tab stop) the focus and the page re-reads the list on its CBN_SETFOCUS.
TEST_F(OptionsScreenTest, APictureWithoutAFileShowsTheDefaultPicture) {
  VTOptSetting record = Defaults();
  record.MuteVideo = 2;
  Store(record);
  LRESULT shown = -1;
  BOOL pathEnabled = TRUE, browseEnabled = TRUE;
  HWND focus = nullptr, list = nullptr;
  Open({user::Expect(user::Dialog(kPreferencesTemplate)), user::Run("look", [&] {
          HWND page = CurrentPage();
          list = GetDlgItem(page, kMuteVideoList);
          focus = GetFocus();
          shown = SendMessageW(list, CB_GETCURSEL, 0, 0);
          pathEnabled = IsWindowEnabled(GetDlgItem(page, kPicturePath));
          browseEnabled = IsWindowEnabled(GetDlgItem(page, 7201));
        }),
        user::Cancel()});
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(focus, list);
  EXPECT_FALSE(pathEnabled);
  EXPECT_FALSE(browseEnabled);
}

// The large-button look offers two view modes: a stored third has no entry, and applying stores -1.
TEST_F(OptionsScreenTest, LargeButtonsOfferTwoViewModes) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SoftWare\\Zarvo\\Velmora\\LargeBtn", 0, nullptr, 0, 0, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  DWORD mode = 12;
  RegSetValueExW(key, u"LargeMode", 0, REG_DWORD, reinterpret_cast<BYTE*>(&mode), sizeof mode);
  RegCloseKey(key);
  VTOptSetting record = Defaults();
  record.ViewMode = 2;
  Store(record);
  int entries = -1;
  Open({user::Run("count view modes",
                  [&] {
                    HWND page = reinterpret_cast<HWND>(SendMessageW(GetActiveWindow(), PSM_GETCURRENTPAGEHWND, 0, 0));
                    entries = static_cast<int>(SendDlgItemMessageW(page, kViewModeList, CB_GETCOUNT, 0, 0));
                  }),
        user::Ok()});
  EXPECT_EQ(entries, 2);
  EXPECT_EQ(Stored().ViewMode, 0xFFFFFFFFu);
}

// Another application coming to the front cancels the sheet; so does a repositioning that the
// device's shell makes without a rotation before it, but not after one.
TEST_F(OptionsScreenTest, TheSheetCancelsItselfWhenItLosesTheForeground) {
  Store(Defaults());
  {
    SCOPED_TRACE("switch");
    Open({user::Check(kShowCallTimeBox), user::SwitchApplication()});
    EXPECT_EQ(g_changeNotices, 0);
  }

  auto reposition = user::Run("reposition without owner z-order", [] {
    RECT rect;
    GetWindowRect(GetActiveWindow(), &rect);
    SetWindowPos(GetActiveWindow(), nullptr, rect.left + 1, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
  });
  {
    SCOPED_TRACE("reposition");
    Open({user::Check(kShowCallTimeBox), reposition});
    EXPECT_EQ(g_changeNotices, 0) << "cancelled by the repositioning";
  }

  Open({user::Check(kShowCallTimeBox), user::Rotate(320, 240), reposition, user::Ok()});
  EXPECT_EQ(g_changeNotices, 2) << "after a rotation the sheet stays open";
}

// The about page fills its version line from the template's format: the library's version text and
// the service library's version number, 0 when the service library cannot be bound.
TEST_F(OptionsScreenTest, TheAboutPageShowsTheVersionsAndTheLogo) {
  std::u16string version;
  bool logo = false;
  auto look = user::Run("read the about page", [&] {
    HWND page = reinterpret_cast<HWND>(SendMessageW(GetActiveWindow(), PSM_GETCURRENTPAGEHWND, 0, 0));
    WCHAR text[256] = {};
    GetDlgItemTextW(page, kVersionLine, text, 256);
    version = text;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
        RECT rect{};
        GetClientRect(child, &rect);
        logo = logo || (SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0 && rect.right > 0 && rect.bottom > 0);
      }
  });
  Open({user::Tab(u"About"), user::Expect(user::Dialog(kAboutTemplate)), look, user::Cancel()});
  EXPECT_NE(version.find(u"2.5"), std::u16string::npos);
  EXPECT_EQ(version.find(u'%'), std::u16string::npos) << "the format is filled in";
  EXPECT_TRUE(logo);

  HKEY key;
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"ControlPanel\\LV", 0, nullptr, 0, 0, nullptr, &key, nullptr);
  RegCloseKey(key);
  logo = false;
  Open({user::Tab(u"About"), look, user::Rotate(320, 240), look, user::Cancel()});
  EXPECT_FALSE(logo) << "the key ControlPanel\\LV hides the logo";
  EXPECT_EQ(version.find(u'%'), std::u16string::npos) << "filled in again after the relayout";
}

// The forwarding page sits between the other two only when forwarding is supported.
TEST_F(OptionsScreenTest, TheForwardingPageIsTheMiddlePageWhenForwardingIsSupported) {
  auto tabs = [](std::vector<std::u16string>& titles) {
    return user::Run("read the tabs", [&titles] {
      HWND tabControl = reinterpret_cast<HWND>(SendMessageW(GetActiveWindow(), PSM_GETTABCONTROL, 0, 0));
      for (int i = 0; i < SendMessageW(tabControl, TCM_GETITEMCOUNT, 0, 0); ++i) {
        WCHAR text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tabControl, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        titles.push_back(text);
      }
    });
  };
  std::vector<std::u16string> supported, unsupported;
  Open({user::Expect(user::Dialog(kPreferencesTemplate)), tabs(supported), user::Cancel()});
  HKEY key;
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Zarvo\\Phone", 0, nullptr, 0, 0, nullptr, &key, nullptr);
  DWORD off = 0;
  RegSetValueExW(key, u"SupportCF", 0, REG_DWORD, reinterpret_cast<BYTE*>(&off), sizeof off);
  RegCloseKey(key);
  Open({user::Expect(user::Dialog(kPreferencesTemplate)), tabs(unsupported), user::Cancel()});
  EXPECT_EQ(supported, (std::vector<std::u16string>{u"Preferences", u"Forwarding", u"About"}));
  EXPECT_EQ(unsupported, (std::vector<std::u16string>{u"Preferences", u"About"}));
}

// The whole flow against the simulated network: the page's command queries, the forwarding
// settings open on the answer, one reason is changed and accepted, the change is sent, and the
// options sheet, back on its forwarding page, closes with its OK soft key. A query the user cancels leaves the
// sheet on the page.
TEST_F(OptionsScreenTest, TheForwardingFlowChangesTheNetworkAndComesBackToThePage) {
  network::WriteBehaviour({.failure = network::Failure::Silent, .error = 30, .latencyMs = 0});
  Store(Defaults());
  Open({user::Tab(u"Forwarding"), user::Expect(user::Dialog(kForwardingTemplate)), user::Tap(kForwardingStart),
        user::Cancel().When(user::Dialog(kQueryDialog, 2s)), user::Expect(user::Dialog(kForwardingTemplate, 2s)),
        user::Cancel()});

  network::WriteBehaviour({.failure = network::Failure::None, .error = 30, .latencyMs = 0});
  network::WriteReason(network::Reason::AllCalls, {false, u"5550122"});
  Open({user::Tab(u"Forwarding"), user::Tap(kForwardingStart), user::Expect(user::Dialog(kForwardingSettings, 5s)),
        user::Check(kBusyBox), user::Type(kBusyNumber, u"555 0100"), user::Ok(),
        user::Expect(user::Dialog(kForwardingTemplate, 5s)), user::SoftKey(1)});
  network::State state = network::ReadState();
  EXPECT_TRUE(state[network::Reason::Busy].active);
  EXPECT_EQ(state[network::Reason::Busy].number, u"5550100");
  EXPECT_FALSE(state[network::Reason::AllCalls].active);
  EXPECT_EQ(g_changeNotices, 2) << "the options sheet closed with OK";
}

// On a phone without the service library the about page shows service version 0, and a query
// waits for an answer that never comes until the user cancels it; the query and its cancel each
// try to load the library.
TEST_F(OptionsScreenTest, WithoutTheServiceLibraryTheQueryWaitsUntilCancelled) {
  handset::RemoveModule(u"Zarvo3GVT.dll");
  Store(Defaults());
  handset::trace::Start();
  Open({user::Tab(u"Forwarding"), user::Tap(kForwardingStart), user::Expect(user::Dialog(kQueryDialog, 2s)),
        user::Wait(500ms), user::Expect(user::Dialog(kQueryDialog)), user::Cancel(),
        user::Expect(user::Dialog(kForwardingTemplate, 2s)), user::Cancel()});
  auto loads = handset::trace::Calls("LoadLibraryW");
  ASSERT_EQ(loads.size(), 2u) << "the query, then its cancel";
  for (const auto& load : loads) EXPECT_EQ(load.args, std::vector<std::string>{"Zarvo3GVT.dll"});

  std::u16string version;
  Open({user::Tab(u"About"), user::Expect(user::Dialog(kAboutTemplate)), user::Run("read the version", [&] {
          HWND page = reinterpret_cast<HWND>(SendMessageW(GetActiveWindow(), PSM_GETCURRENTPAGEHWND, 0, 0));
          WCHAR text[256] = {};
          GetDlgItemTextW(page, kVersionLine, text, 256);
          version = text;
        }),
        user::Cancel()});
  handset::trace::Stop();
  EXPECT_NE(version.find(u"service 0"), std::u16string::npos) << std::string(version.begin(), version.end());
  EXPECT_GT(handset::trace::Calls("LoadLibraryW").size(), 2u) << "the about page tried to bind the library too";
}

// A turn of the screen under the open sheet, with each page current and with a nested dialog open
// or just closed: the sheet fills the turned screen with its tabs along the bottom, and the page
// stands on the template of the new orientation; turning back restores the first.
TEST_F(OptionsScreenTest, ATurnOfTheScreenLaysTheOpenSheetOutForTheNewOrientation) {
  network::WriteBehaviour({.failure = network::Failure::Silent, .error = 30, .latencyMs = 0});
  Store(Defaults());
  std::vector<std::string> findings;
  auto stands = [&findings](int templateId) {
    return user::Run("layout on " + std::to_string(templateId), [&findings, templateId] {
      std::string sheet = SheetLayout(), page = OffTemplate(CurrentPage(), templateId);
      if (!sheet.empty()) findings.push_back(std::to_string(templateId) + ": " + sheet);
      if (!page.empty()) findings.push_back(page);
    });
  };
  struct Case {
    const char* name;
    std::vector<user::Step> before;  // brings the page up (and a nested dialog and back)
    int portrait, landscape;
  };
  auto queryCancelled = [] {
    return std::vector<user::Step>{user::Tab(u"Forwarding"), user::Tap(kForwardingStart),
                                   user::Expect(user::Dialog(kQueryDialog, 2s)), user::Cancel(),
                                   user::Expect(user::Dialog(kForwardingTemplate, 2s))};
  };
  std::vector<Case> cases = {
      {"preferences", {user::Expect(user::Dialog(kPreferencesTemplate))}, 7303, 7301},
      {"forwarding", {user::Tab(u"Forwarding")}, 7304, 7302},
      {"forwarding after the query dialog closed", queryCancelled(), 7304, 7302},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    handset::screen::SetSize(240, 320);
    findings.clear();
    auto steps = c.before;
    for (auto step : {stands(c.portrait), user::Rotate(320, 240), stands(c.landscape), user::Rotate(240, 320),
                      stands(c.portrait), user::Cancel()})
      steps.push_back(step);
    Open(std::move(steps));
    EXPECT_EQ(findings, std::vector<std::string>{});
  }

  SCOPED_TRACE("turned while the query dialog is up");
  handset::screen::SetSize(240, 320);
  findings.clear();
  Open({user::Tab(u"Forwarding"), user::Tap(kForwardingStart), user::Expect(user::Dialog(kQueryDialog, 2s)),
        user::Rotate(320, 240), user::Cancel(), user::Expect(user::Dialog(kForwardingTemplate, 2s)), stands(7302),
        user::Cancel()});
  EXPECT_EQ(findings, std::vector<std::string>{});
}

// The about page scrolls in landscape only, and its scroll range follows the turn of the open sheet.
TEST_F(OptionsScreenTest, TheAboutPageScrollsOnlyInLandscapeAfterATurn) {
  std::vector<int> ranges;
  auto range = [&ranges] {
    return user::Run("read the scroll range", [&ranges] {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_RANGE;
      ranges.push_back(GetScrollInfo(CurrentPage(), SB_VERT, &info) ? info.nMax : -1);
    });
  };
  std::string layout;
  Open({user::Tab(u"About"), range(), user::Rotate(320, 240), range(),
        user::Run("sheet", [&layout] { layout = SheetLayout(); }), user::Rotate(240, 320), range(), user::Cancel()});
  ASSERT_EQ(ranges.size(), 3u);
  EXPECT_EQ(ranges[0], 0) << "no scrolling in portrait";
  EXPECT_GT(ranges[1], 0) << "landscape scrolls";
  EXPECT_EQ(ranges[2], 0);
  EXPECT_EQ(layout, "");
}

}  // namespace
