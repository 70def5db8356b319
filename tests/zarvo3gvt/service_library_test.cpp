// Zarvo3GVT.dll, loaded by name: queries and changes answered from the network's stored state after
// its latency, each failure mode, cancel, and no thread of the library left once it is gone.
#include <windows.h>

#include <vlmrc/vt_service.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "handset/registry.h"
#include "handset/threads.h"
#include "support/handset_test.h"
#include "support/notify_window.h"
#include "zarvo3gvt/network.h"

namespace {

namespace network = zarvo3gvt::network;
using namespace std::chrono_literals;
using testing_support::NotifyWindow;

class ServiceLibraryTest : public testing_support::HandsetTest {
 protected:
  void SetUp() override {
    HandsetTest::SetUp();
    SetBehaviour(network::Failure::None, 0);
    library_ = LoadLibraryW(u"Zarvo3GVT.dll");
    ASSERT_NE(library_, nullptr) << "Zarvo3GVT.dll not found, error " << GetLastError();
    getCF_ = Entry<PFN_ZARVO3GVT_GETCF>(u"Zarvo3GVT_GetCF");
    setCF_ = Entry<PFN_ZARVO3GVT_SETCF>(u"Zarvo3GVT_SetCF");
    cancel_ = Entry<PFN_ZARVO3GVT_SSCANCEL>(u"Zarvo3GVT_SSCancel");
    version_ = Entry<PFN_ZARVO3GVT_GETVERSION>(u"Zarvo3GVT_GetVersion");
  }
  void TearDown() override {
    if (library_ != nullptr) FreeLibrary(library_);
    HandsetTest::TearDown();
  }

  template <class Function>
  Function Entry(const char16_t* name) {
    FARPROC address = GetProcAddressW(library_, name);
    EXPECT_NE(address, nullptr);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
  }
  static void SetBehaviour(network::Failure failure, std::uint32_t latencyMs, std::int32_t error = 30) {
    network::WriteBehaviour({.failure = failure, .error = error, .latencyMs = latencyMs});
  }
  // A request naming the window, with the given reasons selected.
  CFRequest Request(const NotifyWindow& window, bool all, bool busy, bool noAnswer, bool notReachable) {
    CFRequest request;
    std::memset(&request, 0, sizeof(request));
    request.hNotifyWnd = window.RequestHandle();
    request.uNotifyMsg = WM_CF_NOTIFY;
    request.AllCall.bSelected = all;
    request.Busy.bSelected = busy;
    request.NoAns.bSelected = noAnswer;
    request.Unavailable.bSelected = notReachable;
    return request;
  }
  static void SetEntry(CFRequestEntry& entry, bool active, std::u16string_view number) {
    entry.bActive = active;
    std::memset(entry.szNumber, 0, sizeof(entry.szNumber));
    number.copy(entry.szNumber, 255);
  }

  HMODULE library_ = nullptr;
  PFN_ZARVO3GVT_GETCF getCF_ = nullptr;
  PFN_ZARVO3GVT_SETCF setCF_ = nullptr;
  PFN_ZARVO3GVT_SSCANCEL cancel_ = nullptr;
  PFN_ZARVO3GVT_GETVERSION version_ = nullptr;
};

TEST_F(ServiceLibraryTest, AQueryAnswersTheSelectedReasonsFromTheNetworksState) {
  network::WriteReason(network::Reason::AllCalls, {true, u"0912345678"});
  network::WriteReason(network::Reason::Busy, {false, u"5550100"});
  network::WriteNoReplySeconds(35);
  NotifyWindow window;
  CFRequest request = Request(window, true, true, true, false);
  SetEntry(request.Unavailable, true, u"left alone");

  EXPECT_EQ(version_(), network::kLibraryVersion);
  EXPECT_EQ(getCF_(&request), network::kAccepted);
  auto completion = window.Wait(5s);
  ASSERT_TRUE(completion);
  EXPECT_EQ(completion->code, static_cast<WPARAM>(CF_QUERY_OK));
  EXPECT_EQ(completion->error, 0);
  EXPECT_EQ(request.AllCall.bActive, 1u);
  EXPECT_EQ(std::u16string(request.AllCall.szNumber), u"0912345678");
  EXPECT_EQ(request.Busy.bActive, 0u);
  EXPECT_EQ(std::u16string(request.Busy.szNumber), u"5550100");
  EXPECT_EQ(request.NoAns.bActive, 0u);
  EXPECT_EQ(request.nNoReplyTime, 35u) << "the network reports what it holds, in range or not";
  EXPECT_EQ(std::u16string(request.Unavailable.szNumber), u"left alone") << "a reason not asked for is not written";
}

TEST_F(ServiceLibraryTest, AChangeAppliesTheSelectedReasonsAndAQueryReadsThemBack) {
  network::WriteReason(network::Reason::Busy, {true, u"111"});
  NotifyWindow window;
  CFRequest change = Request(window, false, false, true, true);
  SetEntry(change.NoAns, true, u"+15550100");
  change.nNoReplyTime = 15;
  SetEntry(change.Unavailable, false, u"");
  SetEntry(change.Busy, false, u"not selected");

  EXPECT_EQ(setCF_(&change), network::kAccepted);
  auto done = window.Wait(5s);
  ASSERT_TRUE(done);
  EXPECT_EQ(done->code, static_cast<WPARAM>(CF_SET_OK));

  network::State state = network::ReadState();
  EXPECT_EQ(state[network::Reason::NoReply], (network::ReasonState{true, u"+15550100"}));
  EXPECT_EQ(state.noReplySeconds, 15u);
  EXPECT_EQ(state[network::Reason::Busy], (network::ReasonState{true, u"111"}));

  CFRequest query = Request(window, true, true, true, true);
  getCF_(&query);
  ASSERT_TRUE(window.Wait(5s));
  EXPECT_EQ(query.NoAns.bActive, 1u);
  EXPECT_EQ(std::u16string(query.NoAns.szNumber), u"+15550100");
  EXPECT_EQ(query.nNoReplyTime, 15u);
}

TEST_F(ServiceLibraryTest, EachFailureModeAnswersAsItSays) {
  struct Case {
    network::Failure failure;
    bool query;
    LONG result;
    std::optional<WPARAM> code;  // none: no completion at all
    LONG error;
  };
  const Case cases[] = {
      {network::Failure::SetFails, false, network::kAccepted, CF_SET_FAIL, 42},
      {network::Failure::SetFails, true, network::kAccepted, CF_QUERY_OK, 0},
      {network::Failure::QueryFails, true, network::kAccepted, CF_QUERY_FAIL, 42},
      {network::Failure::QueryFails, false, network::kAccepted, CF_SET_OK, 0},
      {network::Failure::Silent, true, network::kAccepted, std::nullopt, 0},
      {network::Failure::Refused, false, network::kRefused, std::nullopt, 0},
  };
  NotifyWindow window;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(network::FailureName(c.failure)) + (c.query ? " query" : " set"));
    SetBehaviour(c.failure, 0, 42);
    CFRequest request = Request(window, false, true, false, false);
    SetEntry(request.Busy, true, u"5550100");
    network::State before = network::ReadState();
    EXPECT_EQ(c.query ? getCF_(&request) : setCF_(&request), c.result);
    auto completions = window.Drain(150ms);
    if (!c.code) {
      EXPECT_TRUE(completions.empty());
      continue;
    }
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_EQ(completions[0].code, *c.code);
    EXPECT_EQ(completions[0].error, c.error);
    bool applied = c.code == static_cast<WPARAM>(CF_SET_OK);
    EXPECT_EQ(network::ReadState()[network::Reason::Busy].active, applied || before[network::Reason::Busy].active);
  }
}

TEST_F(ServiceLibraryTest, AChangeTheNetworkCannotTakeFailsAndChangesNothing) {
  NotifyWindow window;
  struct Case {
    const char* name;
    void (*prepare)(CFRequest&);
  };
  const Case cases[] = {
      {"active without a number", [](CFRequest& r) { SetEntry(r.AllCall, true, u""); }},
      {"no-reply time out of range", [](CFRequest& r) { r.nNoReplyTime = 35; }},
      {"number without terminator",
       [](CFRequest& r) { std::fill(std::begin(r.Busy.szNumber), std::end(r.Busy.szNumber), u'5'); }},
  };
  for (const Case& c : cases) {
    CFRequest change = Request(window, true, true, true, false);
    SetEntry(change.AllCall, false, u"1");
    SetEntry(change.Busy, false, u"2");
    SetEntry(change.NoAns, true, u"3");
    change.nNoReplyTime = 20;
    c.prepare(change);
    setCF_(&change);
    auto completion = window.Wait(5s);
    ASSERT_TRUE(completion) << c.name;
    EXPECT_EQ(completion->code, static_cast<WPARAM>(CF_SET_FAIL)) << c.name;
    EXPECT_EQ(completion->error, network::kErrorInvalidChange) << c.name;
    EXPECT_EQ(network::ReadState(), network::State{}) << c.name;
  }
}

TEST_F(ServiceLibraryTest, TheAnswerComesAfterTheLatencyAndACancelStopsIt) {
  SetBehaviour(network::Failure::None, 150);
  NotifyWindow window;
  CFRequest request = Request(window, true, true, true, true);
  window.Arm();
  getCF_(&request);
  auto completion = window.Wait(5s);
  ASSERT_TRUE(completion);
  EXPECT_GE(completion->after, 150ms);

  getCF_(&request);
  EXPECT_EQ(handset::threads::LiveThreadCount(), 1u) << "the answer waits on the library's worker";
  EXPECT_EQ(cancel_(), network::kAccepted);
  EXPECT_EQ(handset::threads::LiveThreadCount(), 0u);
  EXPECT_TRUE(window.Drain(300ms).empty()) << "no completion follows a cancel";
}

TEST_F(ServiceLibraryTest, ANewRequestReplacesTheOneOutstanding) {
  SetBehaviour(network::Failure::None, 100);
  NotifyWindow window;
  CFRequest first = Request(window, true, false, false, false);
  CFRequest second = Request(window, true, false, false, false);
  getCF_(&first);
  setCF_(&second);
  auto completions = window.Drain(400ms);
  ASSERT_EQ(completions.size(), 1u);
  EXPECT_EQ(completions[0].code, static_cast<WPARAM>(CF_SET_OK));
}

TEST_F(ServiceLibraryTest, NoThreadOfTheLibraryOutlivesItsUnload) {
  SetBehaviour(network::Failure::None, 60000);
  NotifyWindow window;
  CFRequest request = Request(window, true, true, true, true);
  getCF_(&request);
  ASSERT_EQ(handset::threads::LiveThreadCount(), 1u);
  ASSERT_TRUE(FreeLibrary(library_));
  library_ = nullptr;
  EXPECT_EQ(handset::threads::LiveThreadCount(), 0u);
}

// A REG_SZ of no bytes at all, as a person may leave it in the registry file: an empty number.
TEST_F(ServiceLibraryTest, AnEmptyNumberValueReadsAsNoNumber) {
  handset::registry::Write("HKLM\\Software\\Zarvo3GVT\\Network\\Busy", "Number", REG_SZ, {});
  EXPECT_EQ(network::ReadState()[network::Reason::Busy].number, u"");
}

TEST_F(ServiceLibraryTest, StoredSettingsThatCannotBeReadAreReportedAndKept) {
  handset::registry::WriteString("HKLM\\Software\\Zarvo3GVT\\Network\\Busy", "Active", u"yes");
  try {
    network::ReadState();
    ADD_FAILURE() << "a REG_SZ where a REG_DWORD belongs is refused";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("HKLM\\Software\\Zarvo3GVT\\Network\\Busy\\Active"), std::string::npos)
        << error.what();
  }
  NotifyWindow window;
  CFRequest query = Request(window, true, true, true, true);
  getCF_(&query);
  auto completion = window.Wait(5s);
  ASSERT_TRUE(completion);
  EXPECT_EQ(completion->code, static_cast<WPARAM>(CF_QUERY_FAIL));
  EXPECT_EQ(completion->error, network::kErrorStateUnreadable);

  handset::registry::WriteString("HKLM\\Software\\Zarvo3GVT\\Simulation", "Failure", u"sometimes");
  CFRequest change = Request(window, false, true, false, false);
  setCF_(&change);
  completion = window.Wait(5s);
  ASSERT_TRUE(completion);
  EXPECT_EQ(completion->code, static_cast<WPARAM>(CF_SET_FAIL));
  EXPECT_EQ(handset::registry::ReadString("HKLM\\Software\\Zarvo3GVT\\Network\\Busy", "Active"), u"yes");
}

}  // namespace
