// The forwarding settings sheet on a queried record: which boxes and numbers can be changed, the
// correction of an out-of-range no-reply time, accepting without changes, a reformatted number sent
// filtered, and a set dialog cancelled under the page.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "forwarding_screens_test.h"

namespace forwarding_test {
namespace {

namespace user = handset::user;
using namespace std::chrono_literals;

constexpr int kSettingsPage = 7306;
constexpr int kSetDialog = 7311;
constexpr int kNoReplyList = 7207;
constexpr int kNoReplyLabel = 7208;

HWND CurrentPage() {
  return reinterpret_cast<HWND>(SendMessageW(GetActiveWindow(), PSM_GETCURRENTPAGEHWND, 0, 0));
}

class SettingsSheetTest : public ForwardingScreensTest {
 protected:
  INT_PTR Show(std::vector<user::Step> steps, VideoCFInfo* queried) {
    return Run(std::move(steps), lib_->ShowCFSheet, queried);
  }
  static VideoCFInfo Queried(BOOL allCalls, BOOL noAnswer) {
    VideoCFInfo info{};
    info.bAllCall = allCalls;
    info.bNoAns = noAnswer;
    info.bBusy = 1;
    std::u16string(u"5550100").copy(info.szBusy, 255);
    std::u16string(u"5550122").copy(info.szAllCall, 255);
    info.nNoReplyIndex = 1;
    return info;
  }
};

// Per control: "+" enabled, "-" disabled, and for the boxes "x" ticked.
std::string Look(HWND page) {
  std::string look;
  for (int id : {1020, 1021, 1022, 1023, 1050, 1051, 1052, 1053, kNoReplyLabel, kNoReplyList}) {
    look += std::to_string(id) + (IsWindowEnabled(GetDlgItem(page, id)) ? "+" : "-");
    if (id < 1030 && SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED) look += "x";
    look += " ";
  }
  return look;
}

// All calls forwarded leaves the other reasons off and fixed, but its own number and the no-reply
// time of a no-answer reason; clearing it gives the others back, the no-reply time only with its box.
TEST_F(SettingsSheetTest, TheBoxesEnableWhatTheyGovern) {
  struct Case {
    const char* name;
    BOOL allCalls, noAnswer;
    std::vector<user::Step> toggles;
    std::string look;
  } cases[] = {
      {"opened on all calls with no answer", 1, 1, {},
       "1020+x 1021- 1022- 1023- 1050+ 1051- 1052- 1053- 7208+ 7207+ "},
      {"all calls cleared", 1, 0, {user::Uncheck(1020)},
       "1020+ 1021+ 1022+ 1023+ 1050+ 1051+ 1052+ 1053+ 7208- 7207- "},
      {"no answer ticked", 0, 0, {user::Check(1021)},
       "1020+ 1021+x 1022+ 1023+x 1050+ 1051+ 1052+ 1053+ 7208+ 7207+ "},
      {"no answer cleared", 0, 1, {user::Uncheck(1021)},
       "1020+ 1021+ 1022+ 1023+x 1050+ 1051+ 1052+ 1053+ 7208- 7207- "},
      {"all calls ticked", 0, 1, {user::Check(1020)},
       "1020+x 1021- 1022- 1023- 1050+ 1051- 1052- 1053- 7208- 7207- "},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    VideoCFInfo queried = Queried(c.allCalls, c.noAnswer);
    std::string look;
    std::vector<user::Step> steps = {user::Expect(user::Dialog(kSettingsPage))};
    steps.insert(steps.end(), c.toggles.begin(), c.toggles.end());
    steps.push_back(user::Run("look", [&] { look = Look(CurrentPage()); }));
    steps.push_back(user::Cancel());
    Show(std::move(steps), &queried);
    EXPECT_EQ(look, c.look);
  }
  EXPECT_TRUE(g_network.calls.empty());
}

// An out-of-range no-reply time becomes 20 seconds in the queried record; accepting without other
// edits is then no change: the all-calls state is recorded, nothing is sent and the page ends.
TEST_F(SettingsSheetTest, AnOutOfRangeNoReplyTimeIsCorrectedAndAcceptingUnchangedSendsNothing) {
  for (INT index : {-1, 6}) {
    SCOPED_TRACE(index);
    VideoCFInfo queried = Queried(0, 1);
    queried.nNoReplyIndex = index;
    LRESULT selected = -2;
    WCHAR item[64] = {};
    Show({user::Expect(user::Dialog(kSettingsPage)), user::Run("selection",
                                                               [&] {
                                                                 HWND page = CurrentPage();
                                                                 selected = SendDlgItemMessageW(page, kNoReplyList, CB_GETCURSEL, 0, 0);
                                                                 SendDlgItemMessageW(page, kNoReplyList, CB_GETLBTEXT, 3,
                                                                                     reinterpret_cast<LPARAM>(item));
                                                               }),
          user::Ok()},
         &queried);
    EXPECT_EQ(queried.nNoReplyIndex, 3);
    EXPECT_EQ(selected, 3);
    EXPECT_EQ(std::u16string(item), u"20 seconds");
    EXPECT_TRUE(g_network.calls.empty());
    EXPECT_EQ(RecordedForwardingStatus(), 0);
  }
}

// Adding a dash is a change: the set dialog sends the number filtered, the reason marked changed.
// Cancelling the set dialog keeps the page and its edits; accepting again starts a new one.
TEST_F(SettingsSheetTest, AReformattedNumberIsSentFilteredAndACancelledSetKeepsThePage) {
  VideoCFInfo queried = Queried(0, 0);
  Show({user::Expect(user::Dialog(kSettingsPage)), user::Type(1053, u"555-0100"), user::Ok(),
        user::Expect(user::Dialog(kSetDialog, 2s)), user::Cancel(),
        user::Expect(user::ControlText(1053, u"555-0100", 2s)), user::Ok(), user::Expect(user::Dialog(kSetDialog, 2s)),
        Complete(CF_SET_OK)},
       &queried);
  ASSERT_EQ(g_network.sets.size(), 2u);
  for (const CFRequest& sent : g_network.sets) {
    EXPECT_EQ(sent.Busy.bSelected, 1u);
    EXPECT_EQ(std::u16string(sent.Busy.szNumber), u"5550100");
    EXPECT_EQ(sent.AllCall.bSelected, 0u);
    EXPECT_EQ(sent.nNoReplyTime, 10u);
  }
  EXPECT_EQ(std::u16string(queried.szBusy), u"5550100") << "the edits are not copied back";
  EXPECT_EQ(RecordedForwardingStatus(), 0);
}

}  // namespace
}  // namespace forwarding_test
