// Places and sizes: coordinates, SetWindowPos and deferred batches, and the paint they cause.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "handset/handset.h"
#include "window_test_support.h"

#include <windows.h>

namespace {

using testing_support::kLParam;
using testing_support::kPosted;
using testing_support::Messages;
using testing_support::OnlyMessages;
using windows_test::PumpFor;
using windows_test::WindowsTest;

class WindowPositionsTest : public WindowsTest {
 protected:
  // WM_PAINT messages each window received while the queue was pumped.
  std::map<HWND, int> PaintsAfterPumping() {
    Messages().Clear();
    PumpFor(std::chrono::milliseconds(30));
    std::map<HWND, int> paints;
    for (const auto& e : Messages().Received({.only = OnlyMessages({WM_PAINT})})) ++paints[e.window];
    return paints;
  }
};

std::tuple<LONG, LONG, LONG, LONG> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

TEST_F(WindowPositionsTest, ClientAreaLiesInsideFrameCaptionAndScrollBar) {
  HWND top = CreateWindowExW(0, windows_test::kClassName, u"", WS_POPUP | WS_CAPTION | WS_VSCROLL, 10, 20, 200, 150,
                             nullptr, nullptr, windows_test::kInstance, nullptr);
  HWND child = CreateWindowExW(0, windows_test::kClassName, u"", WS_CHILD | WS_BORDER, 5, 6, 50, 40, top, nullptr,
                               windows_test::kInstance, nullptr);
  int frame = GetSystemMetrics(SM_CXDLGFRAME), caption = GetSystemMetrics(SM_CYCAPTION);
  int bar = GetSystemMetrics(SM_CXVSCROLL);
  RECT r;
  ASSERT_TRUE(GetClientRect(top, &r));
  EXPECT_EQ(Edges(r), Edges(RECT{0, 0, 200 - 2 * frame - bar, 150 - 2 * frame - caption}));
  ASSERT_TRUE(GetWindowRect(child, &r));
  LONG clientLeft = 10 + frame, clientTop = 20 + frame + caption;
  EXPECT_EQ(Edges(r), Edges(RECT{clientLeft + 5, clientTop + 6, clientLeft + 55, clientTop + 46}));
  ASSERT_TRUE(GetClientRect(child, &r));
  EXPECT_EQ(Edges(r), Edges(RECT{0, 0, 48, 38}));

  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, clientLeft + 6);
  EXPECT_EQ(p.y, clientTop + 7);
  ScreenToClient(top, &p);
  EXPECT_EQ(p.x, 6);
  EXPECT_EQ(p.y, 7);
  POINT q[2] = {{0, 0}, {1, 1}};
  SetLastError(5);
  int offset = MapWindowPoints(child, top, q, 2);
  EXPECT_EQ(LOWORD(offset), 6);
  EXPECT_EQ(HIWORD(offset), 7);
  EXPECT_EQ(q[1].x, 7);
  EXPECT_EQ(GetLastError(), 0u);
}

TEST_F(WindowPositionsTest, CwUseDefaultGivesATopLevelWindowTheWholeScreen) {
  HWND window = CreateWindowExW(0, windows_test::kClassName, u"", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, windows_test::kInstance, nullptr);
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(Edges(r), Edges(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
}

TEST_F(WindowPositionsTest, SetWindowPosSendsChangingChangedMoveAndSizeOnlyForWhatChanged) {
  HWND parent = Create(u"p", nullptr, WS_VISIBLE);
  HWND child = Create(u"c", parent, WS_VISIBLE);
  Messages().Clear();
  ASSERT_TRUE(SetWindowPos(child, nullptr, 7, 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
  EXPECT_TRUE(Messages().Matches({{WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}, {WM_MOVE, kLParam, 0, MAKELPARAM(7, 8)}},
                                 {child}));

  Messages().Clear();
  MoveWindow(child, 7, 8, 30, 20, TRUE);
  EXPECT_TRUE(Messages().Matches(
      {{WM_WINDOWPOSCHANGING}, {WM_WINDOWPOSCHANGED}, {WM_SIZE, kLParam, 0, MAKELPARAM(30, 20)}}, {child}));

  // Nothing changes: no WM_WINDOWPOSCHANGED, no WM_MOVE, no WM_SIZE.
  Messages().Clear();
  MoveWindow(child, 7, 8, 30, 20, TRUE);
  EXPECT_TRUE(Messages().Matches({{WM_WINDOWPOSCHANGING}}, {child}));

  // The procedure may change the place it is given.
  windows_test::g_answer = [](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (message == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lParam)->x = 50;
    return false;
  };
  MoveWindow(child, 1, 1, 30, 20, FALSE);
  RECT r;
  GetWindowRect(child, &r);
  POINT origin{0, 0};
  ClientToScreen(parent, &origin);
  EXPECT_EQ(r.left - origin.x, 50);
}

TEST_F(WindowPositionsTest, ADeferredBatchMovesEveryWindowBeforeAnyHearsOfItAndRepaintsEachOnce) {
  HWND parent = Create(u"p", nullptr, WS_VISIBLE);
  std::vector<HWND> children;
  for (int i = 0; i < 4; ++i) children.push_back(Create(u"c", parent, WS_VISIBLE, static_cast<UINT_PTR>(100 + i)));
  PaintsAfterPumping();  // the first paint of everything

  bool othersAlreadyMoved = true;
  windows_test::g_answer = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_MOVE && window == children[0]) {
      RECT r;
      GetWindowRect(children[3], &r);
      POINT origin{0, 0};
      ClientToScreen(parent, &origin);
      othersAlreadyMoved = r.top - origin.y == 3 * 30;
    }
    return false;
  };
  HDWP batch = BeginDeferWindowPos(4);
  ASSERT_NE(batch, nullptr);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(DeferWindowPos(batch, children[static_cast<std::size_t>(i)], nullptr, 0, i * 30, 60, 25, SWP_NOZORDER), batch);
  // A window that is not there fails its own call and leaves the batch usable.
  EXPECT_EQ(DeferWindowPos(batch, reinterpret_cast<HWND>(0x7777), nullptr, 0, 0, 1, 1, 0), nullptr);
  std::size_t handles = handset::LiveHandleCount();
  ASSERT_TRUE(EndDeferWindowPos(batch));
  EXPECT_EQ(handset::LiveHandleCount(), handles - 1);
  EXPECT_TRUE(othersAlreadyMoved);
  EXPECT_FALSE(EndDeferWindowPos(batch));  // a batch is used once

  auto paints = PaintsAfterPumping();
  EXPECT_EQ(paints[parent], 1);
  for (HWND child : children) EXPECT_EQ(paints[child], 1);
}

TEST_F(WindowPositionsTest, NoRedrawMovesWithoutInvalidating) {
  HWND parent = Create(u"p", nullptr, WS_VISIBLE);
  HWND child = Create(u"c", parent, WS_VISIBLE);
  PaintsAfterPumping();
  MoveWindow(child, 3, 3, 10, 10, FALSE);
  EXPECT_TRUE(PaintsAfterPumping().empty());
}

TEST_F(WindowPositionsTest, ParentsPaintBeforeTheirChildrenAndHiddenWindowsNotAtAll) {
  HWND parent = Create(u"p", nullptr, WS_VISIBLE);
  HWND child = Create(u"c", parent, WS_VISIBLE);
  HWND hidden = Create(u"h", parent, 0);
  PaintsAfterPumping();
  InvalidateRect(child, nullptr, TRUE);
  InvalidateRect(parent, nullptr, TRUE);
  InvalidateRect(hidden, nullptr, TRUE);
  Messages().Clear();
  PumpFor(std::chrono::milliseconds(30));
  EXPECT_TRUE(Messages().Matches({{WM_PAINT, kPosted, 0, 0, parent}, {WM_PAINT, kPosted, 0, 0, child}},
                                 {.only = OnlyMessages({WM_PAINT})}));
}

// What a parent paints covers its children, WS_CLIPCHILDREN or not (a device context is clipped to a
// rectangle), so invalidating the parent has the children painted again after it.
TEST_F(WindowPositionsTest, InvalidatingAParentRepaintsItsChildrenAfterIt) {
  for (DWORD clip : {0u, static_cast<DWORD>(WS_CLIPCHILDREN)}) {
    SCOPED_TRACE(clip ? "WS_CLIPCHILDREN" : "no WS_CLIPCHILDREN");
    HWND parent = Create(u"p", nullptr, WS_VISIBLE | clip);
    HWND child = Create(u"c", parent, WS_VISIBLE);
    HWND grandchild = Create(u"g", child, WS_VISIBLE);
    PaintsAfterPumping();
    InvalidateRect(parent, nullptr, TRUE);
    Messages().Clear();
    PumpFor(std::chrono::milliseconds(30));
    EXPECT_TRUE(Messages().Matches({{WM_PAINT, kPosted, 0, 0, parent}, {WM_PAINT, kPosted, 0, 0, child},
                                    {WM_PAINT, kPosted, 0, 0, grandchild}},
                                   {.only = OnlyMessages({WM_PAINT})}));
    DestroyWindow(parent);
  }
}

TEST_F(WindowPositionsTest, UpdateWindowPaintsAtOnceAndBeginPaintGivesTheUpdateRectangle) {
  HWND window = Create(u"w", nullptr, WS_VISIBLE);
  PaintsAfterPumping();
  RECT seen{};
  bool erased = false;
  windows_test::g_answer = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == WM_ERASEBKGND) erased = true;
    if (message != WM_PAINT) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    EXPECT_NE(dc, nullptr);
    seen = paint.rcPaint;
    EndPaint(window, &paint);
    result = 0;
    return true;
  };
  RECT a{1, 2, 10, 10}, b{20, 5, 30, 8};
  InvalidateRect(window, &a, TRUE);
  InvalidateRect(window, &b, FALSE);
  RECT update;
  EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
  UpdateWindow(window);
  EXPECT_EQ(Edges(seen), Edges(RECT{1, 2, 30, 10}));
  EXPECT_TRUE(erased);
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
}

TEST_F(WindowPositionsTest, ShowingAndHidingTellsTheWindowAndRepaintsWhatItUncovers) {
  HWND parent = Create(u"p", nullptr, WS_VISIBLE);
  HWND child = Create(u"c", parent, 0);
  PaintsAfterPumping();
  Messages().Clear();
  EXPECT_FALSE(ShowWindow(child, SW_SHOW));  // was hidden
  EXPECT_TRUE(Messages().Matches({{WM_SHOWWINDOW}}, {child}));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_EQ(PaintsAfterPumping()[child], 1);
  EXPECT_TRUE(ShowWindow(child, SW_HIDE));
  auto paints = PaintsAfterPumping();
  EXPECT_EQ(paints[parent], 1);
  EXPECT_EQ(paints.count(child), 0u);
  ShowWindow(parent, SW_HIDE);
  ShowWindow(child, SW_SHOW);
  EXPECT_FALSE(IsWindowVisible(child));  // its parent is hidden
}

}  // namespace
