// Fixture of the forwarding screens: the library's code in the test module, the dialog templates and
// strings of vlmrc.dll's resource module, and an in-memory service library whose answers the test
// writes itself: it records each call and keeps what it was sent, and the test delivers the
// completion when it chooses.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "handset/user.h"
#include "internals/internals_test.h"

namespace forwarding_test {

struct FakeNetwork {
  std::vector<std::string> calls;     // "GetCF", "SetCF", "SSCancel", in order
  std::vector<CFRequest*> queries;    // the records a query was started with
  std::vector<CFRequest> sets;        // each change as it was sent
  std::u16string busyStoredAtSet;     // "stbusy" as stored when the change was sent
  CFRequest answer{};                 // what a query writes into its record (state fields only)
  HWND notifyWindow = nullptr;        // of the last request
  SSNotify notify{};
};

extern FakeNetwork g_network;

// The number stored for a reason under "Software\Zarvo\VideoService"; "<none>" when missing.
std::u16string StoredNumber(const char16_t* valueName);
// "callforwarding" under "Software\Zarvo\Phone"; -1 when never recorded.
int RecordedForwardingStatus();

class ForwardingScreensTest : public testing_support::InternalsTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A step: the network completes the last request with `code` and `error`.
  static handset::user::Step Complete(WPARAM code, LONG error = 0);

  // Runs `show` with the script; every step must be taken and hold.
  INT_PTR Run(std::vector<handset::user::Step> steps, INT_PTR (*show)(HWND, HINSTANCE, VideoCFInfo*), VideoCFInfo* info);

  HMODULE resources_ = nullptr;  // vlmrc.dll: the templates and strings of the forwarding screens
};

}  // namespace forwarding_test
