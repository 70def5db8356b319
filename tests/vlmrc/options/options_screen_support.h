// Shared by the options screen's tests: the ids they address, the current page of the sheet up, and
// a fixture that owns the host's worker window, counts the settings-changed notices it hears and
// runs the screen with a script.
#pragma once

#include <commctrl.h>
#include <vlmrc/vlmrc.h>

#include <vector>

#include "handset/user.h"
#include "support/vlmrc_test.h"
#include "support/worker_window.h"

namespace options_testing {

constexpr int kPreferencesTemplate = 7301;
constexpr int kForwardingTemplate = 7302;
constexpr int kQueryDialog = 7310;
constexpr int kForwardingStart = 7205;
constexpr int kMuteVideoList = 1040;
constexpr int kPicturePath = 7200;

inline HWND CurrentPage() {
  return reinterpret_cast<HWND>(SendMessageW(GetActiveWindow(), PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The settings-changed notices the worker window heard since the last Run or SetUp.
inline int g_changeNotices = 0;

inline LRESULT CountingWorkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_VTOPT_CHANGED) ++g_changeNotices;
  return DefWindowProcW(window, message, wParam, lParam);
}

class OptionsScreenFixture : public testing_support::VlmrcTest {
 protected:
  void SetUp() override {
    VlmrcTest::SetUp();
    g_changeNotices = 0;
    worker_ = testing_support::CreateWorkerWindow(CountingWorkerProc);
  }

  // Runs the options screen with the script; every step must be taken and hold.
  int RunScreen(std::vector<handset::user::Step> steps) {
    handset::user::SetScript(std::move(steps));
    int result = VLMRC_EXPORT(CreateVTOpt)(worker_);
    for (const auto& failure : handset::user::Failures()) ADD_FAILURE() << failure.message;
    EXPECT_EQ(handset::user::StepsLeft(), 0u) << "the sheet closed before the script ended";
    return result;
  }

  HWND worker_ = nullptr;
};

}  // namespace options_testing
