// The options screen through CreateVTOpt, as a person uses it: the scripted user opens pages, ticks
// boxes, picks lists and closes the sheet; the registry and the host's worker window tell what was
// stored.
#include <commctrl.h>
#include <vlmrc/vlmrc.h>

#include <filesystem>
#include <fstream>

#include "handset/screen.h"
#include "handset/user.h"
#include "support/vlmrc_test.h"
#include "support/worker_window.h"
#include "zarvo3gvt/network.h"

namespace {

namespace user = handset::user;
namespace network = zarvo3gvt::network;
using namespace std::chrono_literals;

constexpr int kMirrorCameraBox = 7204;
constexpr int kShowCallTimeBox = 1020;
constexpr int kMuteVideoList = 1040;
constexpr int kViewModeList = 1041;
constexpr int kPicturePath = 7200;
constexpr int kPreferencesTemplate = 7301;
constexpr int kAboutTemplate = 7308;
constexpr int kVersionLine = 7209;
constexpr int kForwardingTemplate = 7302;
constexpr int kForwardingStart = 7205;
constexpr int kQueryDialog = 7310;
constexpr int kForwardingSettings = 7306;
constexpr int kBusyBox = 1023;
constexpr int kBusyNumber = 1053;

int g_changeNotices = 0;

LRESULT WorkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_VTOPT_CHANGED) ++g_changeNotices;
  return DefWindowProcW(window, message, wParam, lParam);
}

class OptionsScreenTest : public testing_support::VlmrcTest {
 protected:
  void SetUp() override {
    VlmrcTest::SetUp();
    g_changeNotices = 0;
    worker_ = testing_support::CreateWorkerWindow(WorkerProc);
  }

  void Store(const VTOptSetting& record) {
    VLMRC_EXPORT(SetVTOptSetting)(&record);
    g_changeNotices = 0;
  }
  VTOptSetting Stored() {
    VTOptSetting record{};
    VLMRC_EXPORT(GetVTOptSetting)(&record);
    return record;
  }
  // Runs the options screen with the script; every step must be taken and hold.
  int Open(std::vector<user::Step> steps) {
    user::SetScript(std::move(steps));
    int result = VLMRC_EXPORT(CreateVTOpt)(worker_);
    for (const auto& failure : user::Failures()) ADD_FAILURE() << failure.message;
    EXPECT_EQ(user::StepsLeft(), 0u) << "the sheet closed before the script ended";
    return result;
  }
  static VTOptSetting Defaults() {
    VTOptSetting record{};
    record.bMirrorCamera = 1;
    record.bAcceptVideoCallMuteVideo = 1;
    record.bMakeVideoCallMuteVideo = 1;
    return record;
  }

  HWND worker_ = nullptr;
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

}  // namespace
