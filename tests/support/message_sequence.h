// Message-sequence checks: a recorder hears what windows receive (from their procedure, a dialog
// procedure or a subclass), and a check compares it with an expected table, entry by entry, and
// prints both side by side when they differ.
#pragma once

#include <functional>
#include <initializer_list>
#include <mutex>
#include <vector>

#include <gtest/gtest.h>

#include <windows.h>

namespace testing_support {

// What an expected entry compares besides the message number.
enum MessageFlags : unsigned {
  kWParam = 1u << 0,
  kLParam = 1u << 1,
  kSent = 1u << 2,             // sent by the receiving thread itself
  kPosted = 1u << 3,           // taken from the queue and handed on by DispatchQueued
  // (kSent and kPosted are compared only when one of them is given; InSendMessage tells only
  // sends from other threads apart, so a message a modal loop of the handset dispatches itself
  // is recorded as sent)
  kFromOtherThread = 1u << 4,  // sent by another thread (InSendMessage held)
  kParent = 1u << 5,           // received by the parent of the window the check is about
  kOptional = 1u << 6,         // may be missing
};

struct ExpectedMessage {
  UINT message;
  unsigned flags = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  HWND window = nullptr;  // when set, the message must have gone to this very window
};
using MessageSequence = std::vector<ExpectedMessage>;

struct ReceivedMessage {
  HWND window;
  HWND parent;  // the window's parent when it received the message
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool posted;
  bool fromOtherThread;
  DWORD threadId;  // the thread whose procedure ran
};

// Which received messages a check looks at.
struct MessageScope {
  // The window the check is about: its messages, and its parent's for kParent entries. Without
  // one, every recorded message counts and kParent is not used.
  HWND window = nullptr;
  // When set, only the messages it accepts.
  std::function<bool(const ReceivedMessage&)> only = nullptr;
};
// A selection of message numbers, for MessageScope::only.
std::function<bool(const ReceivedMessage&)> OnlyMessages(std::initializer_list<UINT> messages);

class MessageRecorder {
 public:
  // What a window or dialog procedure calls first with each message.
  void Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Records everything `window` receives from now on, ahead of its own procedure.
  void Subclass(HWND window);
  std::vector<ReceivedMessage> Received() const;
  std::vector<ReceivedMessage> Received(const MessageScope& scope) const;
  void Clear();
  // Success when the messages in scope are exactly `expected` (optional entries aside).
  ::testing::AssertionResult Matches(const MessageSequence& expected, const MessageScope& scope = {}) const;

 private:
  mutable std::mutex mutex_;
  std::vector<ReceivedMessage> received_;
};

// The recorder every procedure of the tests reports to; each test starts it empty.
MessageRecorder& Messages();

// Dispatches a message taken from the queue, marking it posted for the recorder.
LRESULT DispatchQueued(const MSG& msg);

}  // namespace testing_support
