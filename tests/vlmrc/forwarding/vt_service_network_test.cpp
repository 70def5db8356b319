// The binding against the simulated service library Zarvo3GVT.dll, found by name in the handset's
// module folder: a query fills the module's query record and is answered by a message to the window
// the record names, also when that window is gone.
#include <windows.h>

#include <gtest/gtest.h>

#include "internals/internals_test.h"
#include "support/notify_window.h"
#include "zarvo3gvt/network.h"

namespace {

namespace network = zarvo3gvt::network;
using namespace std::chrono_literals;

class VTServiceNetworkTest : public testing_support::InternalsTest {
 protected:
  void SetUp() override {
    InternalsTest::SetUp();
    network::WriteBehaviour({.failure = network::Failure::None, .error = 30, .latencyMs = 0});
  }
  // Fills the query record as the query dialog does: notify fields and all four reasons selected.
  CFRequest* QueryFor(const testing_support::NotifyWindow& window) {
    CFRequest* request = lib_->CFQueryRequest;
    request->hNotifyWnd = window.RequestHandle();
    request->uNotifyMsg = WM_CF_NOTIFY;
    request->AllCall.bSelected = request->Busy.bSelected = request->NoAns.bSelected = request->Unavailable.bSelected = 1;
    return request;
  }
};

TEST_F(VTServiceNetworkTest, AQueryThroughTheBindingFillsTheQueryRecord) {
  network::WriteReason(network::Reason::NoReply, {true, u"+15550100"});
  network::WriteNoReplySeconds(25);
  testing_support::NotifyWindow window;
  EXPECT_EQ(lib_->VTGetVersion(), network::kLibraryVersion);
  EXPECT_EQ(lib_->VTGetCF(QueryFor(window)), network::kAccepted);
  auto completion = window.Wait(5s);
  ASSERT_TRUE(completion);
  EXPECT_EQ(completion->code, static_cast<WPARAM>(CF_QUERY_OK));
  const CFRequest& answered = *lib_->CFQueryRequest;
  EXPECT_EQ(answered.NoAns.bActive, 1u);
  EXPECT_EQ(std::u16string(answered.NoAns.szNumber), u"+15550100");
  EXPECT_EQ(answered.nNoReplyTime, 25u);
  EXPECT_EQ(answered.Busy.bActive, 0u);
}

TEST_F(VTServiceNetworkTest, ACompletionForAWindowThatIsGoneIsDropped) {
  network::WriteBehaviour({.failure = network::Failure::QueryFails, .error = 7, .latencyMs = 100});
  testing_support::NotifyWindow later;  // made first, so it cannot take the closed window's handle
  testing_support::NotifyWindow closed;
  lib_->VTGetCF(QueryFor(closed));
  closed.Destroy();  // the dialog ended before the network answered

  EXPECT_TRUE(later.Drain(300ms).empty()) << "the answer went nowhere and nothing failed";
  // The library is still usable afterwards.
  network::WriteBehaviour({.failure = network::Failure::None, .error = 0, .latencyMs = 0});
  lib_->VTGetCF(QueryFor(later));
  auto completion = later.Wait(5s);
  ASSERT_TRUE(completion);
  EXPECT_EQ(completion->code, static_cast<WPARAM>(CF_QUERY_OK));
}

}  // namespace
