#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "handset/handset.h"
#include "handset/trace.h"
#include "window_test_support.h"

#include <windows.h>

namespace {

using windows_test::kClassName;
using windows_test::kInstance;
using testing_support::kLParam;
using testing_support::Messages;
using windows_test::WindowsTest;

class WindowLifetimeTest : public WindowsTest {};

TEST_F(WindowLifetimeTest, CreationSendsOnlyWmCreateWithTheCallersArguments) {
  int param = 0;
  CREATESTRUCTW seen{};
  HWND seenParentInCreate = nullptr;
  windows_test::g_answer = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (message == WM_CREATE) {
      seen = *reinterpret_cast<CREATESTRUCTW*>(lParam);
      seenParentInCreate = seen.hwndParent;
    }
    return false;
  };
  HWND parent = Create(u"Parent");
  ASSERT_NE(parent, nullptr);
  Messages().Clear();
  HWND child = CreateWindowExW(0x8, u"logwindow", u"Child", WS_VISIBLE, 1, 2, 30, 40, parent,
                               reinterpret_cast<HMENU>(77), kInstance, &param);
  ASSERT_NE(child, nullptr);
  // CE sends no non-client messages: WM_CREATE, then the size and place the window got.
  EXPECT_TRUE(Messages().Matches({{WM_CREATE, 0, 0, 0, child},
                                  {WM_SIZE, kLParam, 0, MAKELPARAM(30, 40), child},
                                  {WM_MOVE, kLParam, 0, MAKELPARAM(1, 2), child}}));
  EXPECT_EQ(seen.lpCreateParams, &param);
  EXPECT_EQ(seen.hInstance, kInstance);
  EXPECT_EQ(seen.hMenu, reinterpret_cast<HMENU>(77));
  EXPECT_EQ(seenParentInCreate, parent);
  EXPECT_EQ(seen.x, 1);
  EXPECT_EQ(seen.y, 2);
  EXPECT_EQ(seen.cx, 30);
  EXPECT_EQ(seen.cy, 40);
  // A window given a parent and no WS_POPUP is that parent's child (CE).
  EXPECT_EQ(static_cast<DWORD>(seen.style), static_cast<DWORD>(WS_VISIBLE | WS_CHILD));
  EXPECT_EQ(seen.dwExStyle, 0x8u);
  EXPECT_EQ(std::u16string(seen.lpszName), u"Child");
  EXPECT_EQ(std::u16string(seen.lpszClass), u"logwindow");
  EXPECT_TRUE(IsWindow(child));
  EXPECT_LT(HandleToUlong(child), 0x80000000u);
}

TEST_F(WindowLifetimeTest, DestructionSendsWmDestroyParentFirstAndTheWholeTreeIsGoneAfterwards) {
  std::size_t handlesBefore = handset::LiveHandleCount();
  HWND parent = Create(u"Parent");
  HWND first = Create(u"", parent);
  HWND grandchild = Create(u"", first);
  HWND second = Create(u"", parent);
  bool childrenAliveDuringParentsDestroy = false;
  bool eachAliveDuringItsDestroy = true;
  windows_test::g_answer = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_DESTROY && window == parent)
      childrenAliveDuringParentsDestroy = IsWindow(first) && IsWindow(grandchild) && IsWindow(second);
    if (message == WM_DESTROY) eachAliveDuringItsDestroy = eachAliveDuringItsDestroy && IsWindow(window);
    return false;
  };
  Messages().Clear();
  ASSERT_TRUE(DestroyWindow(parent));
  // No WM_NCDESTROY on CE.
  EXPECT_TRUE(Messages().Matches({{WM_DESTROY, 0, 0, 0, parent},
                                  {WM_DESTROY, 0, 0, 0, first},
                                  {WM_DESTROY, 0, 0, 0, grandchild},
                                  {WM_DESTROY, 0, 0, 0, second}}));
  EXPECT_TRUE(childrenAliveDuringParentsDestroy);
  EXPECT_TRUE(eachAliveDuringItsDestroy);
  for (HWND w : {parent, first, grandchild, second}) EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore);

  EXPECT_FALSE(DestroyWindow(parent));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowLifetimeTest, OwnedPopupsAreDestroyedBeforeTheirOwner) {
  HWND owner = Create(u"Owner");
  HWND ownerChild = Create(u"", owner);
  // A pop-up given a child as its parent is owned by that child's top-level window.
  HWND popup = Create(u"Popup", ownerChild, WS_POPUP);
  ASSERT_NE(popup, nullptr);
  Messages().Clear();
  ASSERT_TRUE(DestroyWindow(owner));
  EXPECT_TRUE(Messages().Matches(
      {{WM_DESTROY, 0, 0, 0, popup}, {WM_DESTROY, 0, 0, 0, owner}, {WM_DESTROY, 0, 0, 0, ownerChild}}));
  EXPECT_FALSE(IsWindow(popup));
}

TEST_F(WindowLifetimeTest, CreationFailsWhenWmCreateAnswersMinusOneOrTheWindowDestroysItself) {
  windows_test::g_answer = [](HWND window, UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != WM_CREATE) return false;
    result = -1;
    return true;
  };
  EXPECT_EQ(Create(u"Refused"), nullptr);
  EXPECT_TRUE(Messages().Matches({{WM_CREATE}, {WM_DESTROY}}));
  EXPECT_EQ(FindWindowW(nullptr, u"Refused"), nullptr);

  windows_test::g_answer = [](HWND window, UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_CREATE) DestroyWindow(window);
    return false;
  };
  EXPECT_EQ(Create(u"Quitter"), nullptr);
}

TEST_F(WindowLifetimeTest, CreationRefusesAnUnknownClassOrParentAndAChildWithoutParent) {
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", 0, 0, 0, 1, 1, nullptr, nullptr, kInstance, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  // A local class serves only the instance that registered it, and a NULL instance, which finds
  // the local classes of every instance as on Win32.
  const HINSTANCE other = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x30000));
  EXPECT_EQ(CreateWindowExW(0, kClassName, u"", 0, 0, 0, 1, 1, nullptr, nullptr, other, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  HWND withoutInstance = CreateWindowExW(0, kClassName, u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(withoutInstance, nullptr);
  DestroyWindow(withoutInstance);
  Messages().Clear();

  EXPECT_EQ(Create(u"", reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x7654320))), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(Create(u"", nullptr, WS_CHILD), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
  EXPECT_TRUE(Messages().Matches({}));
}

TEST_F(WindowLifetimeTest, ClassesAreFoundIgnoringCaseAndKeptPerInstance) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = windows_test::LoggingProc;
  wc.hInstance = kInstance;
  wc.lpszClassName = u"LOGWINDOW";
  EXPECT_EQ(RegisterClassW(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

  // The same name in another instance is another class, with the same atom.
  const HINSTANCE other = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x20000));
  wc.hInstance = other;
  ATOM otherAtom = RegisterClassW(&wc);
  ASSERT_NE(otherAtom, 0);
  HWND byAtom = CreateWindowExW(0, MAKEINTATOM(otherAtom), u"", 0, 0, 0, 1, 1, nullptr, nullptr, kInstance, nullptr);
  EXPECT_NE(byAtom, nullptr);

  // A global class serves every instance; a local class of an instance shadows it.
  wc.hInstance = kInstance;
  wc.style = CS_GLOBALCLASS;
  wc.lpszClassName = u"Shared";
  EXPECT_NE(RegisterClassW(&wc), 0);
  EXPECT_EQ(RegisterClassW(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  EXPECT_NE(CreateWindowExW(0, u"sHaReD", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowLifetimeTest, AClassWithWindowsCannotBeUnregistered) {
  HWND window = Create();
  EXPECT_FALSE(UnregisterClassW(u"logWINDOW", kInstance));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  DestroyWindow(window);
  EXPECT_TRUE(UnregisterClassW(u"logWINDOW", kInstance));
  EXPECT_EQ(Create(), nullptr);
  EXPECT_FALSE(UnregisterClassW(kClassName, kInstance));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
}

TEST_F(WindowLifetimeTest, FindWindowMatchesTopLevelWindowsByClassAndTitleIgnoringCase) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = windows_test::LoggingProc;
  wc.hInstance = kInstance;
  wc.lpszClassName = u"VelmoraWorkerCls";
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND worker = CreateWindowExW(0, u"VelmoraWorkerCls", u"VelmoraWorker", 0, 0, 0, 0, 0, nullptr, nullptr,
                                kInstance, nullptr);
  HWND other = Create(u"VelmoraWorker");
  Create(u"Inner", other);

  handset::trace::Start();
  EXPECT_EQ(FindWindowW(u"VelmoraWorkerCls", u"VelmoraWorker"), worker);
  EXPECT_EQ(FindWindowW(u"velmoraworkercls", nullptr), worker);
  EXPECT_EQ(FindWindowW(kClassName, u"velmoraWORKER"), other);
  EXPECT_EQ(FindWindowW(nullptr, u"Inner"), nullptr);  // children are not searched
  EXPECT_EQ(FindWindowW(u"NeverRegistered", nullptr), nullptr);
  auto calls = handset::trace::Calls("FindWindowW");
  handset::trace::Stop();
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{"VelmoraWorkerCls", "VelmoraWorker"}));
  EXPECT_EQ(calls[1].args, (std::vector<std::string>{"velmoraworkercls", ""}));

  DestroyWindow(worker);
  EXPECT_EQ(FindWindowW(u"VelmoraWorkerCls", u"VelmoraWorker"), nullptr);
}

TEST_F(WindowLifetimeTest, FindWindowWorksFromAnyThread) {
  HWND window = Create(u"Seen from afar");
  HWND found = nullptr;
  std::thread([&] { found = FindWindowW(kClassName, u"Seen from afar"); }).join();
  EXPECT_EQ(found, window);
}

TEST_F(WindowLifetimeTest, OnlyTheOwnerThreadMayDestroyAWindow) {
  HWND window = Create();
  BOOL destroyed = TRUE;
  DWORD error = 0;
  std::thread([&] {
    destroyed = DestroyWindow(window);
    error = GetLastError();
  }).join();
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(WindowLifetimeTest, DefaultProcedureKeepsTheTextAndClosesTheWindow) {
  HWND window = Create(u"Title");
  WCHAR buffer[4];
  EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 5);
  EXPECT_EQ(SendMessageW(window, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_EQ(std::u16string(buffer), u"Tit");
  EXPECT_TRUE(SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"New")));
  EXPECT_EQ(FindWindowW(nullptr, u"New"), window);
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowLifetimeTest, WindowsLeftAtShutdownAreReleasedWithoutMessages) {
  HWND parent = Create(u"Left over");
  Create(u"", parent);
  Messages().Clear();
  handset::Shutdown();
  EXPECT_TRUE(Messages().Matches({}));
}

}  // namespace
