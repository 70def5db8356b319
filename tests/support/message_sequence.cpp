#include "support/message_sequence.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>

namespace testing_support {

namespace {

// The queued message DispatchQueued is handing on, until the procedure it reaches records it.
thread_local const MSG* t_dispatching = nullptr;

struct Subclassed {
  MessageRecorder* recorder;
  WNDPROC original;
};
std::mutex g_subclassMutex;
std::map<HWND, Subclassed> g_subclassed;

LRESULT RecordingSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Subclassed target{};
  {
    std::lock_guard lock(g_subclassMutex);
    auto it = g_subclassed.find(window);
    if (it == g_subclassed.end()) return DefWindowProcW(window, message, wParam, lParam);
    target = it->second;
    if (message == WM_DESTROY) g_subclassed.erase(it);  // the handle may be reused later
  }
  target.recorder->Record(window, message, wParam, lParam);
  return CallWindowProcW(target.original, window, message, wParam, lParam);
}

const char* MessageName(UINT message) {
  static const std::map<UINT, const char*> names = {
      {WM_CREATE, "WM_CREATE"},
      {WM_DESTROY, "WM_DESTROY"},
      {WM_MOVE, "WM_MOVE"},
      {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"},
      {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_ENABLE, "WM_ENABLE"},
      {WM_SETTEXT, "WM_SETTEXT"},
      {WM_GETTEXT, "WM_GETTEXT"},
      {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
      {WM_PAINT, "WM_PAINT"},
      {WM_CLOSE, "WM_CLOSE"},
      {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
      {WM_SETFONT, "WM_SETFONT"},
      {WM_GETFONT, "WM_GETFONT"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
      {WM_NOTIFY, "WM_NOTIFY"},
      {WM_KEYDOWN, "WM_KEYDOWN"},
      {WM_KEYUP, "WM_KEYUP"},
      {WM_CHAR, "WM_CHAR"},
      {WM_INITDIALOG, "WM_INITDIALOG"},
      {WM_COMMAND, "WM_COMMAND"},
      {WM_TIMER, "WM_TIMER"},
      {WM_HSCROLL, "WM_HSCROLL"},
      {WM_VSCROLL, "WM_VSCROLL"},
      {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"},
  };
  auto it = names.find(message);
  return it == names.end() ? nullptr : it->second;
}

std::string Hex(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", value);
  return text;
}

std::string Describe(UINT message) {
  if (const char* name = MessageName(message)) return name;
  if (message >= WM_USER) return "WM_USER+" + std::to_string(message - WM_USER);
  return Hex(message);
}

std::string Describe(const ExpectedMessage& e) {
  std::string text = Describe(e.message);
  if (e.flags & kWParam) text += " w=" + Hex(e.wParam);
  if (e.flags & kLParam) text += " l=" + Hex(static_cast<unsigned long long>(e.lParam));
  if (e.flags & kSent) text += " sent";
  if (e.flags & kPosted) text += " posted";
  if (e.flags & kFromOtherThread) text += " from-other-thread";
  if (e.flags & kParent) text += " parent";
  if (e.window) text += " to " + Hex(reinterpret_cast<ULONG_PTR>(e.window));
  if (e.flags & kOptional) text += " (optional)";
  return text;
}

std::string Describe(const ReceivedMessage& r, HWND parent) {
  std::string text = Describe(r.message) + " w=" + Hex(r.wParam) + " l=" + Hex(static_cast<unsigned long long>(r.lParam));
  text += r.posted ? " posted" : " sent";
  if (r.fromOtherThread) text += " from-other-thread";
  if (parent && r.window == parent) text += " parent";
  return text + " to " + Hex(reinterpret_cast<ULONG_PTR>(r.window));
}

bool Fits(const ExpectedMessage& e, const ReceivedMessage& r, HWND parent) {
  if (e.message != r.message) return false;
  if (e.window && e.window != r.window) return false;
  if (parent && ((e.flags & kParent) != 0) != (r.window == parent)) return false;
  if ((e.flags & kWParam) && e.wParam != r.wParam) return false;
  if ((e.flags & kLParam) && e.lParam != r.lParam) return false;
  if ((e.flags & kSent) && (r.posted || r.fromOtherThread)) return false;
  if ((e.flags & kPosted) && !r.posted) return false;
  if ((e.flags & kFromOtherThread) && !r.fromOtherThread) return false;
  return true;
}

// The parent the scope's window had when it received its messages (or has now).
HWND ParentOf(HWND window, const std::vector<ReceivedMessage>& received) {
  for (const auto& r : received)
    if (r.window == window && r.parent) return r.parent;
  return IsWindow(window) ? GetParent(window) : nullptr;
}

}  // namespace

std::function<bool(const ReceivedMessage&)> OnlyMessages(std::initializer_list<UINT> messages) {
  return [list = std::vector<UINT>(messages)](const ReceivedMessage& r) {
    return std::find(list.begin(), list.end(), r.message) != list.end();
  };
}

void MessageRecorder::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const MSG* queued = t_dispatching;
  bool posted = queued && queued->hwnd == window && queued->message == message && queued->wParam == wParam &&
                queued->lParam == lParam;
  if (posted) t_dispatching = nullptr;  // what this procedure sends on is not the queued message
  ReceivedMessage entry{window,   GetParent(window), message, wParam, lParam, posted, InSendMessage() != FALSE,
                        GetCurrentThreadId()};
  std::lock_guard lock(mutex_);
  received_.push_back(entry);
}

void MessageRecorder::Subclass(HWND window) {
  std::lock_guard lock(g_subclassMutex);
  auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  g_subclassed[window] = {this, original};
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingSubclassProc));
}

std::vector<ReceivedMessage> MessageRecorder::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

std::vector<ReceivedMessage> MessageRecorder::Received(const MessageScope& scope) const {
  auto all = Received();
  HWND parent = scope.window ? ParentOf(scope.window, all) : nullptr;
  std::vector<ReceivedMessage> selected;
  for (const auto& r : all) {
    if (scope.window && r.window != scope.window && (!parent || r.window != parent)) continue;
    if (scope.only && !scope.only(r)) continue;
    selected.push_back(r);
  }
  return selected;
}

void MessageRecorder::Clear() {
  std::lock_guard lock(mutex_);
  received_.clear();
}

::testing::AssertionResult MessageRecorder::Matches(const MessageSequence& expected, const MessageScope& scope) const {
  auto received = Received(scope);
  HWND parent = scope.window ? ParentOf(scope.window, Received()) : nullptr;
  std::size_t e = 0, r = 0;
  while (e < expected.size() && r < received.size()) {
    if (Fits(expected[e], received[r], parent)) {
      ++e;
      ++r;
    } else if (expected[e].flags & kOptional) {
      ++e;
    } else {
      break;
    }
  }
  while (e < expected.size() && (expected[e].flags & kOptional)) ++e;
  if (e == expected.size() && r == received.size()) return ::testing::AssertionSuccess();

  // Both lists side by side, the first difference marked.
  std::ostringstream listing;
  listing << "message sequence differs at expected entry " << e << ", received entry " << r << "\n";
  for (std::size_t i = 0; i < std::max(expected.size(), received.size()); ++i) {
    std::string left = i < expected.size() ? Describe(expected[i]) : "-";
    std::string right = i < received.size() ? Describe(received[i], parent) : "-";
    listing << (i == e || i == r ? " > " : "   ") << i << ": expected " << left << "\n"
            << "      received " << right << "\n";
  }
  return ::testing::AssertionFailure() << listing.str();
}

MessageRecorder& Messages() {
  static MessageRecorder recorder;
  return recorder;
}

LRESULT DispatchQueued(const MSG& msg) {
  struct Restore {
    const MSG* outer = t_dispatching;
    ~Restore() { t_dispatching = outer; }
  } restore;
  t_dispatching = &msg;
  return DispatchMessageW(&msg);
}

}  // namespace testing_support
