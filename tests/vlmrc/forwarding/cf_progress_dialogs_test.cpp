// The query and the set dialog against an in-memory service library: every outcome of the caller's
// contract, how a query answer fills the record, retries, the numbers stored before a change is
// sent, the missing-number box, and a completion that comes too late.
#include <windows.h>

#include <gtest/gtest.h>

#include "forwarding_screens_test.h"
#include "handset/debug.h"

namespace forwarding_test {
namespace {

namespace user = handset::user;
using namespace std::chrono_literals;

constexpr int kQueryDialog = 7310;
constexpr int kSetDialog = 7311;
constexpr BOOL kUntouched = 7;  // a flag value no dialog writes

class ProgressDialogsTest : public ForwardingScreensTest {
 protected:
  // A record as the caller hands it over, its outcome flags marked so that "unchanged" shows.
  static VideoCFInfo Record() {
    VideoCFInfo info{};
    info.bUseNetwork = 1;
    info.bDone = info.bFailed = kUntouched;
    return info;
  }
  static VideoCFInfo ChangeOfBusy(const char16_t* number) {
    VideoCFInfo info = Record();
    info.bBusy = info.bBusyChanged = 1;
    std::u16string(number).copy(info.szBusy, 255);
    info.nNoReplyIndex = 2;
    return info;
  }
  INT_PTR Query(std::vector<user::Step> steps, VideoCFInfo* info) { return Run(std::move(steps), lib_->ShowReadDlg, info); }
  INT_PTR Set(std::vector<user::Step> steps, VideoCFInfo* info) { return Run(std::move(steps), lib_->ShowWriteDlg, info); }
};

// The caller's contract, row by row: how the dialog ended, the flags it leaves and its end value.
TEST_F(ProgressDialogsTest, EachWayOfEndingLeavesTheFlagsOfTheContract) {
  struct Row {
    const char* name;
    bool query;
    VideoCFInfo info;
    std::vector<user::Step> steps;
    BOOL done, failed;
    INT_PTR result;
    std::vector<std::string> calls;
  };
  auto box = [](int answer) { return user::Answer(answer).When(user::MessageBox(u"", 2s)); };
  auto query = [] { return user::Expect(user::Dialog(kQueryDialog)); };
  auto set = [] { return user::Expect(user::Dialog(kSetDialog)); };
  std::vector<Row> rows = {
      {"query succeeded", true, Record(), {query(), Complete(CF_QUERY_OK)}, 1, 0, 1, {"GetCF"}},
      {"query failed, Cancel", true, Record(), {query(), Complete(CF_QUERY_FAIL, 21), box(IDCANCEL)}, 0, 1, 1, {"GetCF"}},
      {"query cancelled while waiting", true, Record(), {query(), user::Cancel()}, kUntouched, 1, 0, {"GetCF", "SSCancel"}},
      {"set succeeded", false, ChangeOfBusy(u"5550100"), {set(), Complete(CF_SET_OK)}, 1, 0, 1, {"SetCF"}},
      {"set failed, Cancel", false, ChangeOfBusy(u"5550100"), {set(), Complete(CF_SET_FAIL, 3), box(IDCANCEL)}, 0, 1, 0, {"SetCF"}},
      {"set cancelled while waiting", false, ChangeOfBusy(u"5550100"), {set(), user::Cancel()}, kUntouched, kUntouched, 0,
       {"SetCF"}},
      {"missing number, Cancel", false, ChangeOfBusy(u""), {box(IDCANCEL)}, kUntouched, kUntouched, 0, {}},
  };
  for (auto& row : rows) {
    SCOPED_TRACE(row.name);
    g_network = FakeNetwork{};
    INT_PTR result = row.query ? Query(row.steps, &row.info) : Set(row.steps, &row.info);
    EXPECT_EQ(result, row.result);
    EXPECT_EQ(row.info.bDone, row.done);
    EXPECT_EQ(row.info.bFailed, row.failed);
    EXPECT_EQ(g_network.calls, row.calls);
  }
}

// The network's state goes into the record; a reason reported without a number shows the number
// last stored for it; the no-reply time becomes an index, out-of-range ones left for the page.
TEST_F(ProgressDialogsTest, AQueryAnswerFillsTheRecord) {
  VideoCFInfo stored{};
  std::u16string(u"5550100").copy(stored.szBusy, 255);
  std::u16string(u"5550199").copy(stored.szNoAns, 255);
  stored.bBusyChanged = stored.bNoAnsChanged = 1;
  lib_->SaveCFNumbers(&stored);

  struct Case {
    DWORD seconds;
    INT index;
  } cases[] = {{20, 3}, {7, 0}, {35, 6}, {0, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    g_network.answer = CFRequest{};
    g_network.answer.NoAns.bActive = 1;
    std::u16string(u"+15550123").copy(g_network.answer.NoAns.szNumber, 255);
    g_network.answer.AllCall.bActive = 0;
    g_network.answer.nNoReplyTime = c.seconds;
    VideoCFInfo info = Record();
    Query({user::Expect(user::Dialog(kQueryDialog)), Complete(CF_QUERY_OK)}, &info);
    EXPECT_EQ(info.nNoReplyIndex, c.index);
    EXPECT_EQ(info.bNoAns, 1);
    EXPECT_EQ(info.bBusy, 0);
    EXPECT_EQ(std::u16string(info.szNoAns), u"+15550123") << "the network's number wins over the stored one";
    EXPECT_EQ(std::u16string(info.szBusy), u"5550100") << "no number from the network: the stored one";
    EXPECT_EQ(std::u16string(info.szAllCall), u"");
  }
  // Every reason was asked for, and the answer came to the dialog the record named.
  const CFRequest& sent = *lib_->CFQueryRequest;
  EXPECT_EQ(sent.uNotifyMsg, static_cast<UINT>(WM_CF_NOTIFY));
  EXPECT_TRUE(sent.AllCall.bSelected && sent.Busy.bSelected && sent.NoAns.bSelected && sent.Unavailable.bSelected);
}

// A number the network sends without its terminator is taken no further than a field holds.
TEST_F(ProgressDialogsTest, AnUnterminatedNumberFromTheNetworkIsCutToTheField) {
  g_network.answer = CFRequest{};
  std::fill(std::begin(g_network.answer.Busy.szNumber), std::end(g_network.answer.Busy.szNumber), u'5');
  VideoCFInfo info = Record();
  Query({user::Expect(user::Dialog(kQueryDialog)), Complete(CF_QUERY_OK)}, &info);
  EXPECT_EQ(std::u16string(info.szBusy), std::u16string(255, u'5'));
  EXPECT_EQ(info.szNoAns[0], 0) << "the next field is untouched";
}

// Retry sends the same record again and writes the debug line once per failure.
TEST_F(ProgressDialogsTest, AFailedQueryAnsweredRetryAsksAgain) {
  handset::debug::Clear();
  VideoCFInfo info = Record();
  auto box = [](int answer) { return user::Answer(answer).When(user::MessageBox(u"", 2s)); };
  Query({user::Expect(user::Dialog(kQueryDialog)), Complete(CF_QUERY_FAIL, 21), box(IDRETRY),
         Complete(CF_QUERY_FAIL, 22), box(IDCANCEL)},
        &info);
  EXPECT_EQ(g_network.calls, (std::vector<std::string>{"GetCF", "GetCF"}));
  ASSERT_EQ(g_network.queries.size(), 2u);
  EXPECT_EQ(g_network.queries[0], g_network.queries[1]);
  int lines21 = 0, lines22 = 0;
  for (const auto& line : handset::debug::Lines()) {
    lines21 += line.find(u"ReadDlgProc: pSSNotify->nError(21), szErr(The forwarding") != std::u16string::npos;
    lines22 += line.find(u"ReadDlgProc: pSSNotify->nError(22)") != std::u16string::npos;
  }
  EXPECT_EQ(lines21, 1);
  EXPECT_EQ(lines22, 1);
  EXPECT_EQ(info.bFailed, 1);
}

// The change carries each reason's changed flag, state and number, and the no-reply time; the
// numbers are stored before it goes out; success records the all-calls state even when another
// reason changed.
TEST_F(ProgressDialogsTest, ASetStoresTheNumbersFirstThenSendsTheChange) {
  VideoCFInfo info = ChangeOfBusy(u"5550100");
  info.bAllCall = 0;
  std::u16string(u"5550111").copy(info.szNoAns, 255);  // not changed: neither stored nor selected
  Set({user::Expect(user::Dialog(kSetDialog)), Complete(CF_SET_OK)}, &info);
  ASSERT_EQ(g_network.sets.size(), 1u);
  const CFRequest& sent = g_network.sets[0];
  EXPECT_EQ(sent.Busy.bSelected, 1u);
  EXPECT_EQ(sent.Busy.bActive, 1u);
  EXPECT_EQ(std::u16string(sent.Busy.szNumber), u"5550100");
  EXPECT_EQ(sent.NoAns.bSelected, 0u);
  EXPECT_EQ(std::u16string(sent.NoAns.szNumber), u"5550111");
  EXPECT_EQ(sent.nNoReplyTime, 15u);
  EXPECT_EQ(g_network.busyStoredAtSet, u"5550100") << "stored before the request was sent";
  EXPECT_EQ(StoredNumber(u"stNoAns"), u"<none>");
  EXPECT_EQ(RecordedForwardingStatus(), 0);

  info = ChangeOfBusy(u"5550100");
  info.bAllCall = 1;
  std::u16string(u"5550122").copy(info.szAllCall, 255);
  Set({user::Expect(user::Dialog(kSetDialog)), Complete(CF_SET_OK)}, &info);
  EXPECT_EQ(RecordedForwardingStatus(), 1);
}

// An active reason without a number: the numbers are stored, nothing is sent, the box comes back
// after Retry and only Cancel leaves. A failed set answered Retry sends the same change again.
TEST_F(ProgressDialogsTest, AMissingNumberSendsNothingAndAFailedSetCanBeRetried) {
  VideoCFInfo info = ChangeOfBusy(u"5550100");
  info.bAllCall = 1;  // active, unchanged, without a number: still refused
  int boxes = 0;
  auto count = [&] { return user::Run("count the box", [&] { ++boxes; }).When(user::MessageBox(u"", 2s)); };
  Set({count(), user::Answer(IDRETRY), count(), user::Answer(IDCANCEL)},
      &info);
  EXPECT_EQ(boxes, 2);
  EXPECT_TRUE(g_network.calls.empty());
  EXPECT_EQ(StoredNumber(u"stbusy"), u"5550100");

  info = ChangeOfBusy(u"5550177");
  auto box = [](int answer) { return user::Answer(answer).When(user::MessageBox(u"", 2s)); };
  Set({Complete(CF_SET_FAIL, 4), box(IDRETRY), Complete(CF_SET_OK)}, &info);
  EXPECT_EQ(g_network.calls, (std::vector<std::string>{"SetCF", "SetCF"}));
  EXPECT_EQ(info.bDone, 1);
  EXPECT_EQ(info.bFailed, 0);
}

// Without the network flag the set dialog stores and sends nothing and ignores completions; the
// query dialog's cancel still tells the library.
TEST_F(ProgressDialogsTest, WithoutTheNetworkFlagNothingIsSentOrHeard) {
  VideoCFInfo info = ChangeOfBusy(u"5550100");
  info.bUseNetwork = 0;
  auto toTheDialog = user::Run("a completion reaches the dialog", [] {
    g_network.notify = SSNotify{0, CF_SET_OK};
    PostMessageW(GetActiveWindow(), WM_CF_NOTIFY, CF_SET_OK, reinterpret_cast<LPARAM>(&g_network.notify));
  });
  Set({toTheDialog, user::Wait(50ms), user::Expect(user::Dialog(kSetDialog)), user::Cancel()}, &info);
  EXPECT_TRUE(g_network.calls.empty());
  EXPECT_EQ(StoredNumber(u"stbusy"), u"<none>");
  EXPECT_EQ(info.bDone, kUntouched);

  info = Record();
  info.bUseNetwork = 0;
  Query({user::Cancel()}, &info);
  EXPECT_EQ(g_network.calls, (std::vector<std::string>{"SSCancel"}));
}

// A completion that arrives once its dialog has closed goes nowhere and changes nothing.
TEST_F(ProgressDialogsTest, ACompletionAfterTheDialogClosedIsDropped) {
  VideoCFInfo info = Record();
  Query({user::Expect(user::Dialog(kQueryDialog)), user::Cancel()}, &info);
  HWND gone = g_network.notifyWindow;
  ASSERT_FALSE(IsWindow(gone));
  g_network.notify = SSNotify{0, CF_QUERY_OK};
  PostMessageW(gone, WM_CF_NOTIFY, CF_QUERY_OK, reinterpret_cast<LPARAM>(&g_network.notify));
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  EXPECT_EQ(info.bDone, kUntouched);
  EXPECT_EQ(info.bFailed, 1);
}

}  // namespace
}  // namespace forwarding_test

namespace forwarding_test {
namespace {

// A resource module without the dialogs' templates: neither dialog shows, nothing is sent, and the
// record's outcome flags stay as the caller set them, so the caller goes no further.
TEST_F(ProgressDialogsTest, WithoutTheirTemplatesTheDialogsShowNothingAndSendNothing) {
  for (auto show : {lib_->ShowReadDlg, lib_->ShowWriteDlg}) {
    VideoCFInfo info = ChangeOfBusy(u"5550100");
    info.bDone = info.bFailed = kUntouched;
    EXPECT_EQ(show(nullptr, module_, &info), -1) << "the test module holds no forwarding templates";
    EXPECT_EQ(info.bDone, kUntouched);
    EXPECT_EQ(info.bFailed, kUntouched);
  }
  EXPECT_TRUE(g_network.calls.empty());
}

}  // namespace
}  // namespace forwarding_test
