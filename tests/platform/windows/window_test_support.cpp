#include "window_test_support.h"

#include <thread>

namespace windows_test {

std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> g_answer;

LRESULT LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  testing_support::Messages().Record(window, message, wParam, lParam);
  LRESULT result = 0;
  if (g_answer && g_answer(window, message, wParam, lParam, result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

void WindowsTest::SetUp() {
  HandsetTest::SetUp();
  g_answer = nullptr;
  WNDCLASSW wc{};
  wc.lpfnWndProc = LoggingProc;
  wc.hInstance = kInstance;
  wc.lpszClassName = kClassName;
  ASSERT_NE(RegisterClassW(&wc), 0);
}

void WindowsTest::TearDown() {
  g_answer = nullptr;
  HandsetTest::TearDown();
}

HWND WindowsTest::Create(LPCWSTR title, HWND parent, DWORD style, UINT_PTR id) {
  return CreateWindowExW(0, kClassName, title, style, 0, 0, 100, 50, parent, reinterpret_cast<HMENU>(id), kInstance,
                         nullptr);
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      testing_support::DispatchQueued(msg);
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void PumpFor(std::chrono::milliseconds duration) {
  auto end = std::chrono::steady_clock::now() + duration;
  PumpUntil([&] { return std::chrono::steady_clock::now() > end; }, duration * 2);
}

}  // namespace windows_test
