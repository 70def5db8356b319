// A person's input through the control API: taps, drags and keys at screen points reach the
// window under the point as Windows CE hit-tests it, follow the capture, and pass over hidden and
// disabled windows; keys and text reach the focus window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handset/input.h"
#include "windows/window_test_support.h"

#include <windows.h>

namespace {

namespace input = handset::input;
using windows_test::g_answer;

constexpr UINT kMarker = WM_APP + 7;

class InputTest : public windows_test::WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    top_ = Create(u"top", nullptr, WS_POPUP | WS_VISIBLE);
    SetWindowPos(top_, nullptr, 0, 0, 240, 320, SWP_NOZORDER);
    button_ = Control(u"button", u"OK", BS_PUSHBUTTON, 1, {10, 10, 90, 30});
    edit_ = Control(u"edit", u"", WS_BORDER, 2, {10, 40, 110, 60});
    disabled_ = Control(u"button", u"Off", BS_PUSHBUTTON | WS_DISABLED, 3, {10, 70, 90, 90});
    label_ = Control(u"static", u"Label", 0, 4, {10, 100, 110, 120});
    hidden_ = Control(u"button", u"Hidden", BS_PUSHBUTTON, 5, {10, 130, 90, 150});
    ShowWindow(hidden_, SW_HIDE);
    g_answer = [this](HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
      if (window == top_ && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) clicks_.push_back(LOWORD(wParam));
      if (window == top_ && message == WM_LBUTTONDOWN) ++topPresses_;
      if (message == kMarker) marked_ = true;
      return false;
    };
  }

  HWND Control(LPCWSTR className, LPCWSTR text, DWORD style, int id, RECT r) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, top_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                           nullptr);
  }

  // Handles everything queued so far as a message loop does (the characters that TranslateMessage
  // posts included), a marker posted after the input among it.
  void Settle() {
    marked_ = false;
    PostMessageW(top_, kMarker, 0, 0);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    EXPECT_TRUE(marked_);
  }

  HWND top_ = nullptr, button_ = nullptr, edit_ = nullptr, disabled_ = nullptr, label_ = nullptr, hidden_ = nullptr;
  std::vector<int> clicks_;
  int topPresses_ = 0;
  bool marked_ = false;
};

struct Gesture {
  enum Kind { Down, Move, Up } kind;
  int x, y;
};

TEST_F(InputTest, APressClicksOnlyWhenReleasedOnTheButtonItStartedOn) {
  struct Case {
    const char* name;
    std::vector<Gesture> gestures;
    std::vector<int> clicks;
  } cases[] = {
      {"tap at the centre", {{Gesture::Down, 50, 20}, {Gesture::Up, 50, 20}}, {1}},
      {"dragged off and released", {{Gesture::Down, 50, 20}, {Gesture::Move, 200, 200}, {Gesture::Up, 200, 200}}, {}},
      {"dragged off and back", {{Gesture::Down, 50, 20}, {Gesture::Move, 200, 20}, {Gesture::Move, 60, 25},
                                 {Gesture::Up, 60, 25}}, {1}},
      {"pressed elsewhere, released on it", {{Gesture::Down, 200, 200}, {Gesture::Up, 50, 20}}, {}},
      {"a disabled button", {{Gesture::Down, 50, 80}, {Gesture::Up, 50, 80}}, {}},
      {"a hidden button", {{Gesture::Down, 50, 140}, {Gesture::Up, 50, 140}}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clicks_.clear();
    for (const auto& g : c.gestures) {
      if (g.kind == Gesture::Down) input::PointerDown(g.x, g.y);
      if (g.kind == Gesture::Move) input::PointerMove(g.x, g.y);
      if (g.kind == Gesture::Up) input::PointerUp(g.x, g.y);
    }
    Settle();
    EXPECT_EQ(clicks_, c.clicks);
    EXPECT_EQ(GetCapture(), nullptr) << "the release gives the capture back";
    EXPECT_FALSE(SendMessageW(button_, BM_GETSTATE, 0, 0) & BST_PUSHED) << "the button does not stay pushed";
  }
}

TEST_F(InputTest, TheOwnerBehindAModalWindowReceivesNothing) {
  HWND modal = Create(u"modal", top_, WS_POPUP | WS_VISIBLE);
  SetWindowPos(modal, nullptr, 0, 200, 240, 120, SWP_NOZORDER);
  EnableWindow(top_, FALSE);
  input::Tap(50, 20);  // the owner's button, not covered by the modal window
  Settle();
  EXPECT_EQ(clicks_, std::vector<int>{});
  EXPECT_EQ(topPresses_, 0);
}

TEST_F(InputTest, ATapIntoAnEditThenTextTypesIntoIt) {
  input::Tap(30, 50);
  input::Type(u"h\u00e9");
  Settle();
  EXPECT_EQ(GetFocus(), edit_);
  WCHAR text[16] = {};
  GetWindowTextW(edit_, text, 16);
  EXPECT_EQ(std::u16string(text), u"h\u00e9");
}

TEST_F(InputTest, KeysGoToTheFocusWindowAndTranslateIntoCharacters) {
  SetFocus(edit_);
  input::Key('A');
  input::Key(VK_BACK);
  input::Key('B');
  Settle();
  WCHAR text[16] = {};
  GetWindowTextW(edit_, text, 16);
  EXPECT_EQ(std::u16string(text), u"b");
}

// WindowFromPoint passes over hidden and disabled windows and static text; ChildWindowFromPoint
// answers any child at the point, one level down.
TEST_F(InputTest, WindowFromPointAndChildWindowFromPointFollowWindowsCe) {
  struct Case {
    POINT point;
    HWND fromPoint, child;
  } cases[] = {
      {{50, 20}, button_, button_},    {{50, 80}, top_, disabled_}, {{50, 110}, top_, label_},
      {{50, 140}, top_, hidden_},      {{200, 300}, top_, top_},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.point.x) + "," + std::to_string(c.point.y));
    EXPECT_EQ(WindowFromPoint(c.point), c.fromPoint);
    EXPECT_EQ(ChildWindowFromPoint(top_, c.point), c.child);  // top_ lies at the screen's origin
  }
  EXPECT_EQ(ChildWindowFromPoint(top_, POINT{500, 500}), nullptr) << "outside the parent";
  EXPECT_EQ(WindowFromPoint(POINT{500, 500}), nullptr);
  EnableWindow(top_, FALSE);
  EXPECT_EQ(WindowFromPoint(POINT{50, 20}), nullptr) << "a disabled top-level window";
}

}  // namespace

// A finger on a window's own scroll bar is the system's: the window hears only WM_VSCROLL, a
// press beside the thumb pages towards it, a drag of the thumb tracks it to where it is let go.
TEST_F(InputTest, AWindowsOwnScrollBarTurnsTapsIntoScrollRequests) {
  HWND page = Create(u"page", nullptr, WS_POPUP | WS_VISIBLE | WS_VSCROLL);
  SetWindowPos(page, nullptr, 0, 0, 200, 200, SWP_NOZORDER);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 0, 0};
  SetScrollInfo(page, SB_VERT, &info, FALSE);
  RECT client;
  GetClientRect(page, &client);
  int bar = client.right + GetSystemMetrics(SM_CXVSCROLL) / 2;
  std::vector<std::pair<int, int>> heard;  // request, position
  int presses = 0;
  g_answer = [&](HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == kMarker) marked_ = true;
    if (window != page) return false;
    if (message == WM_VSCROLL) heard.push_back({LOWORD(wParam), static_cast<short>(HIWORD(wParam))});
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) ++presses;
    return false;
  };
  input::Tap(bar, client.bottom - 1);
  Settle();
  EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 0}}));

  // The thumb at the top: dragged from its middle to the end of the track it stands for the last position.
  heard.clear();
  input::PointerDown(bar, 10);
  input::PointerMove(bar, client.bottom / 2);
  input::PointerUp(bar, client.bottom + 50);
  Settle();
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[0].first, SB_THUMBTRACK);
  EXPECT_GT(heard[0].second, 0);
  EXPECT_EQ(heard[1], std::make_pair(static_cast<int>(SB_THUMBPOSITION), 80)) << "the last position: 99 - 20 + 1";
  EXPECT_EQ(heard[2].first, SB_ENDSCROLL);
  EXPECT_EQ(presses, 0) << "the window hears no pointer messages for its scroll bar";
}

// Characters that TranslateMessage posts for a key come before the next key, as on Win32, where
// posted messages are taken before input: End, Backspace, Backspace, then typed text.
TEST_F(InputTest, TranslatedCharactersComeBeforeTheInputQueuedAfterThem) {
  SetWindowTextW(edit_, u"abc");
  input::Tap(30, 50);
  input::Key(VK_END);
  input::Key(VK_BACK);
  input::Key(VK_BACK);
  input::Type(u"z");
  Settle();
  WCHAR text[16] = {};
  GetWindowTextW(edit_, text, 16);
  EXPECT_EQ(std::u16string(text), u"az");
}
