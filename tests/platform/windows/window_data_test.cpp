// Window data, subclassing, class names, the tree and window text.
#include <gtest/gtest.h>

#include <string>

#include "handset/windows.h"
#include "window_test_support.h"

#include <windows.h>

namespace {

using testing_support::MessageRecorder;
using testing_support::Messages;
using windows_test::WindowsTest;

class WindowDataTest : public WindowsTest {};

MessageRecorder g_subclassSeen;
WNDPROC g_previous = nullptr;

LRESULT SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_subclassSeen.Record(window, message, wParam, lParam);
  if (message == WM_USER + 1) return 42;  // answered here, never reaches the class procedure
  return CallWindowProcW(g_previous, window, message, wParam, lParam);
}

TEST_F(WindowDataTest, SubclassingSeesEveryMessageFirstAndRestoringHandsThemBack) {
  HWND window = Create(u"w");
  g_subclassSeen.Clear();
  g_previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  ASSERT_EQ(g_previous, windows_test::LoggingProc);
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(SubclassProc));
  Messages().Clear();

  EXPECT_EQ(SendMessageW(window, WM_USER + 1, 0, 0), 42);
  SetWindowTextW(window, u"new");
  EXPECT_TRUE(g_subclassSeen.Matches({{WM_USER + 1}, {WM_SETTEXT}}));
  EXPECT_TRUE(Messages().Matches({{WM_SETTEXT}}));  // passed on through CallWindowProcW

  // Putting the old procedure back: the subclass hears nothing more.
  EXPECT_EQ(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous)),
            reinterpret_cast<LONG_PTR>(SubclassProc));
  g_subclassSeen.Clear();
  Messages().Clear();
  SendMessageW(window, WM_USER + 1, 0, 0);
  EXPECT_TRUE(g_subclassSeen.Matches({}));
  EXPECT_TRUE(Messages().Matches({{WM_USER + 1}}));
  // The class keeps its procedure: a new window of it is not subclassed.
  HWND other = Create(u"other");
  EXPECT_EQ(GetWindowLongPtrW(other, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(windows_test::LoggingProc));
}

TEST_F(WindowDataTest, PointersAreReachedOnlyThroughTheLongPtrCalls) {
  HWND window = Create(u"w");
  SetLastError(0);
  EXPECT_EQ(GetWindowLongW(window, GWLP_WNDPROC), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  EXPECT_EQ(SetWindowLongW(window, GWLP_USERDATA, 5), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  // A full 64-bit value survives in the user data.
  LONG_PTR big = static_cast<LONG_PTR>(0x123456789ABCDEF0ull);
  SetWindowLongPtrW(window, GWLP_USERDATA, big);
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), big);
}

TEST_F(WindowDataTest, StyleIdAndExtraBytesWithinTheClassSize) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.cbWndExtra = 12;
  wc.hInstance = windows_test::kInstance;
  wc.lpszClassName = u"Extra";
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND parent = Create(u"p");
  HWND window = CreateWindowExW(0x20, u"extra", u"", WS_VISIBLE, 0, 0, 10, 10, parent, reinterpret_cast<HMENU>(7),
                                windows_test::kInstance, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), static_cast<DWORD>(WS_VISIBLE | WS_CHILD));
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE), 0x20);
  EXPECT_EQ(GetWindowLongW(window, GWL_ID), 7);
  EXPECT_EQ(GetDlgCtrlID(window), 7);
  EXPECT_EQ(SetWindowLongW(window, GWL_ID, 9), 7);
  EXPECT_EQ(GetDlgItem(parent, 9), window);

  EXPECT_EQ(SetWindowLongW(window, 8, 0x11223344), 0);
  EXPECT_EQ(GetWindowLongW(window, 8), 0x11223344);
  // Bytes 4..11 hold the four bytes written at 8 in their upper half.
  EXPECT_EQ(SetWindowLongPtrW(window, 4, 77), static_cast<LONG_PTR>(0x11223344) << 32);
  EXPECT_EQ(GetWindowLongPtrW(window, 4), 77);
  EXPECT_EQ(GetWindowLongW(window, 8), 0);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrW(window, 8), 0);  // 8..15 runs past the 12 bytes
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  EXPECT_EQ(GetWindowLongW(window, 9), 0);
}

TEST_F(WindowDataTest, StandardClassesAnswerWithTheirCeNamesWhateverTheCaseAskedFor) {
  HWND parent = Create(u"p");
  WCHAR name[32];
  for (const WCHAR* asked : {u"BUTTON", u"Edit", u"sTaTiC", u"ListBox", u"COMBOBOX"}) {
    HWND control = CreateWindowExW(0, asked, u"", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    int length = GetClassNameW(control, name, 32);
    std::u16string got(name, static_cast<std::size_t>(length));
    std::u16string expected(asked);
    for (auto& c : expected) c = static_cast<char16_t>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
    EXPECT_EQ(got, expected);
  }
  // A small buffer gets what fits and a terminator.
  HWND button = CreateWindowExW(0, u"button", u"", WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr, nullptr);
  EXPECT_EQ(GetClassNameW(button, name, 4), 3);
  EXPECT_EQ(std::u16string(name), u"but");
}

TEST_F(WindowDataTest, TheTreeIsWalkedInCreationOrderAndOwnersAreNotParents) {
  HWND parent = Create(u"p");
  HWND a = Create(u"a", parent, 0, 1);
  HWND b = Create(u"b", parent, 0, 2);
  HWND c = Create(u"c", parent, 0, 3);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), a);
  EXPECT_EQ(GetWindow(b, GW_HWNDLAST), c);
  EXPECT_EQ(GetParent(b), parent);
  EXPECT_TRUE(IsChild(parent, b));
  EXPECT_EQ(GetDlgItem(parent, 3), c);
  EXPECT_EQ(GetDlgItem(parent, 4), nullptr);

  HWND popup = CreateWindowExW(0, windows_test::kClassName, u"", WS_POPUP, 0, 0, 5, 5, b, nullptr,
                               windows_test::kInstance, nullptr);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), parent);  // the top-level window of the one given
  EXPECT_EQ(GetParent(popup), parent);            // a pop-up's GetParent is its owner
  EXPECT_FALSE(IsChild(parent, popup));
  EXPECT_EQ(GetParent(parent), nullptr);
}

TEST_F(WindowDataTest, TextGoesThroughTheProceduresAndDialogItemShorthands) {
  HWND parent = Create(u"p");
  HWND item = Create(u"", parent, 0, 5);
  Messages().Clear();
  EXPECT_TRUE(SetDlgItemTextW(parent, 5, u"hello"));
  WCHAR buffer[4];
  EXPECT_EQ(GetDlgItemTextW(parent, 5, buffer, 4), 3u);  // cut to the buffer with its terminator
  EXPECT_EQ(std::u16string(buffer), u"hel");
  EXPECT_EQ(GetWindowTextLengthW(item), 5);
  EXPECT_TRUE(Messages().Matches({{WM_SETTEXT}, {WM_GETTEXT}, {WM_GETTEXTLENGTH}}, {item}));
  EXPECT_EQ(SendDlgItemMessageW(parent, 99, WM_USER, 0, 0), 0);
  EXPECT_FALSE(SetDlgItemTextW(parent, 99, u"x"));

  BOOL ok = FALSE;
  SetDlgItemInt(parent, 5, static_cast<UINT>(-42), TRUE);
  EXPECT_EQ(static_cast<int>(GetDlgItemInt(parent, 5, &ok, TRUE)), -42);
  EXPECT_TRUE(ok);
  SetDlgItemTextW(parent, 5, u" 12x");
  GetDlgItemInt(parent, 5, &ok, FALSE);
  EXPECT_FALSE(ok);
  SetDlgItemTextW(parent, 5, u"4294967296");
  GetDlgItemInt(parent, 5, &ok, FALSE);
  EXPECT_FALSE(ok);
}

TEST_F(WindowDataTest, TheControlApiDescribesTheWindowsUpTopmostFirst) {
  HWND lower = Create(u"lower", nullptr, WS_VISIBLE);
  HWND upper = Create(u"upper", nullptr, WS_VISIBLE);
  HWND child = Create(u"child", upper, WS_VISIBLE | WS_DISABLED, 12);
  auto windows = handset::windows::TopLevelWindows();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[0].handle, upper);
  EXPECT_EQ(windows[1].handle, lower);
  ASSERT_EQ(windows[0].children.size(), 1u);
  const auto& info = windows[0].children[0];
  EXPECT_EQ(info.handle, child);
  EXPECT_EQ(info.text, u"child");
  EXPECT_EQ(info.className, u"LogWindow");
  EXPECT_EQ(info.id, 12);
  EXPECT_TRUE(info.visible);
  EXPECT_FALSE(info.enabled);
}

}  // namespace
