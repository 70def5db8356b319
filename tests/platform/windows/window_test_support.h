// Shared by the window manager's tests: a window procedure that records every message it gets, a
// fixture that registers its class, and a pump for the calling thread.
#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "support/handset_test.h"
#include "support/message_sequence.h"

#include <windows.h>

namespace windows_test {

// Records the message, lets the test's hook answer it (when set), else DefWindowProcW.
LRESULT LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Set by a test to answer messages itself: return true and set the result to take over.
extern std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> g_answer;

inline const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x10000));
inline const WCHAR kClassName[] = u"LogWindow";

class WindowsTest : public testing_support::HandsetTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A top-level (or, with a parent, child) window of the logging class.
  static HWND Create(LPCWSTR title = u"", HWND parent = nullptr, DWORD style = 0, UINT_PTR id = 0);
};

// Takes and dispatches (as posted, for the recorder) the calling thread's messages until `done` holds or `limit` passes.
// Returns whether `done` held.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10));
// Takes and dispatches messages for `duration`.
void PumpFor(std::chrono::milliseconds duration);

}  // namespace windows_test
