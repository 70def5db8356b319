// The message-sequence checks the window, dialog and control tests rely on: what counts as a
// match, and what a mismatch prints.
#include <gtest/gtest.h>

#include <string>

#include "window_test_support.h"

#include <windows.h>

namespace {

using namespace testing_support;
using windows_test::WindowsTest;

class MessageSequenceTest : public WindowsTest {
 protected:
  // The child hears WM_USER+1 (7, 8), its parent WM_USER+2, then the child WM_USER+3 posted.
  void Deliver() {
    parent = Create(u"p");
    child = Create(u"c", parent);
    Messages().Clear();
    SendMessageW(child, WM_USER + 1, 7, 8);
    SendMessageW(parent, WM_USER + 2, 0, 0);
    PostMessageW(child, WM_USER + 3, 0, 0);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchQueued(msg);
  }
  HWND parent = nullptr;
  HWND child = nullptr;
};

TEST_F(MessageSequenceTest, ATableMatchesOnlyWhatWasReceivedInOrderWithTheFieldsItNames) {
  Deliver();
  struct Case {
    const char* what;
    MessageSequence expected;
    bool matches;
  };
  const Case cases[] = {
      {"exact", {{WM_USER + 1, kWParam | kLParam | kSent, 7, 8}, {WM_USER + 2, kParent}, {WM_USER + 3, kPosted}}, true},
      {"fields not named are not compared", {{WM_USER + 1, 0, 99, 99}, {WM_USER + 2, kParent}, {WM_USER + 3}}, true},
      {"optional missing", {{WM_USER + 1}, {WM_USER + 9, kOptional}, {WM_USER + 2, kParent}, {WM_USER + 3}}, true},
      {"optional present", {{WM_USER + 1, kOptional}, {WM_USER + 2, kParent}, {WM_USER + 3, kOptional}}, true},
      {"wrong wParam", {{WM_USER + 1, kWParam, 6}, {WM_USER + 2, kParent}, {WM_USER + 3}}, false},
      {"wrong lParam", {{WM_USER + 1, kLParam, 0, 9}, {WM_USER + 2, kParent}, {WM_USER + 3}}, false},
      {"parent's message as the window's", {{WM_USER + 1}, {WM_USER + 2}, {WM_USER + 3}}, false},
      {"sent taken for posted", {{WM_USER + 1, kPosted}, {WM_USER + 2, kParent}, {WM_USER + 3}}, false},
      {"posted taken for sent", {{WM_USER + 1}, {WM_USER + 2, kParent}, {WM_USER + 3, kSent}}, false},
      {"not from another thread", {{WM_USER + 1, kFromOtherThread}, {WM_USER + 2, kParent}, {WM_USER + 3}}, false},
      {"one missing at the end", {{WM_USER + 1}, {WM_USER + 2, kParent}}, false},
      {"one too many", {{WM_USER + 1}, {WM_USER + 2, kParent}, {WM_USER + 3}, {WM_USER + 4}}, false},
      {"out of order", {{WM_USER + 2, kParent}, {WM_USER + 1}, {WM_USER + 3}}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(static_cast<bool>(Messages().Matches(c.expected, {child})), c.matches) << c.what;
  // Without a window, every window's messages count, and a named window must be the receiver.
  EXPECT_TRUE(Messages().Matches({{WM_USER + 1, 0, 0, 0, child}, {WM_USER + 2, 0, 0, 0, parent}, {WM_USER + 3}}));
  EXPECT_FALSE(Messages().Matches({{WM_USER + 1, 0, 0, 0, parent}, {WM_USER + 2}, {WM_USER + 3}}));
  EXPECT_TRUE(Messages().Matches({{WM_USER + 2}}, {.only = OnlyMessages({WM_USER + 2})}));
}

TEST_F(MessageSequenceTest, AMismatchListsBothSidesByNameAndMarksWhereTheyPart) {
  Deliver();
  auto result = Messages().Matches({{WM_USER + 1, kWParam, 7}, {WM_CLOSE}}, {child});
  ASSERT_FALSE(result);
  std::string text = result.message();
  EXPECT_NE(text.find("expected entry 1, received entry 1"), std::string::npos) << text;
  EXPECT_NE(text.find(" > 1: expected WM_CLOSE"), std::string::npos) << text;
  EXPECT_NE(text.find("received WM_USER+2 w=0x0 l=0x0 sent parent"), std::string::npos) << text;
  EXPECT_NE(text.find("received WM_USER+3 w=0x0 l=0x0 posted"), std::string::npos) << text;
}

TEST_F(MessageSequenceTest, ASubclassRecordsAheadOfTheProcedureUntilTheWindowIsDestroyed) {
  HWND window = Create(u"w");
  MessageRecorder own;
  own.Subclass(window);
  Messages().Clear();
  EXPECT_TRUE(SetWindowTextW(window, u"x"));  // still answered by the class procedure
  DestroyWindow(window);
  EXPECT_TRUE(own.Matches({{WM_SETTEXT}, {WM_DESTROY}}));
  EXPECT_TRUE(Messages().Matches({{WM_SETTEXT}, {WM_DESTROY}}));
}

}  // namespace
