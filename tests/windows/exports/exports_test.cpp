// Every export reached as a host reaches it: by name, through the type a host declares it with
// (support/vlmrc_exports.h, in the standard calling convention). A caller of a function compiled in
// another convention gets wrong answers or a broken stack on 32-bit Windows, so each call is
// repeated: a callee that leaves its arguments on the stack would leave them there every time.
// The settings and pending-call exports are exercised by the suites shared with the handset; these
// are the others.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "support/vlmrc_exports.h"
#include "support/vlmrc_test.h"

namespace {

using testing_support::VlmrcTest;

constexpr int kRepeats = 200;

class ExportsTest : public VlmrcTest {};

TEST_F(ExportsTest, TheHostTypesCoverEveryExportAndEachResolvesByNameAndOrdinal) {
  ASSERT_EQ(std::size(vlmrc_exports::kNames), std::size(kVlmrcExports));
  for (std::size_t i = 0; i < std::size(kVlmrcExports); ++i) {
    SCOPED_TRACE(kVlmrcExports[i].name);
    EXPECT_STREQ(vlmrc_exports::kNames[i], kVlmrcExports[i].name);
    FARPROC byName = GetProcAddress(module_, kVlmrcExports[i].name);
    EXPECT_NE(byName, nullptr);
    EXPECT_EQ(byName, GetProcAddress(module_, MAKEINTRESOURCEA(kVlmrcExports[i].ordinal)));
  }
}

TEST_F(ExportsTest, GetBatteryStoresItsReadingThroughBothPointers) {
  auto getBattery = VLMRC_EXPORT(GetBattery);
  for (int i = 0; i < kRepeats; ++i) {
    DWORD percent = 0xDEAD, flags = 0xBEEF;
    BOOL read = getBattery(&percent, &flags);
    // Without a reading both are 0; with one the percentage is at most 100 or 255, "unknown".
    if (read) {
      EXPECT_TRUE(percent <= 100 || percent == 255) << percent;
    } else {
      EXPECT_EQ(percent | flags, 0u);
    }
    ASSERT_NE(percent, 0xDEADu);
    ASSERT_NE(flags, 0xBEEFu);
  }
  EXPECT_FALSE(getBattery(nullptr, nullptr));
}

TEST_F(ExportsTest, AvoidSystemIdleTakesTheFourArgumentsOfATimerProcedure) {
  auto avoidSystemIdle = VLMRC_EXPORT(AvoidSystemIdle);
  // The host hands it to SetTimer as the timer procedure.
  TIMERPROC asTimerProcedure = avoidSystemIdle;
  ASSERT_NE(asTimerProcedure, nullptr);
  for (int i = 0; i < kRepeats; ++i) {
    avoidSystemIdle(nullptr, WM_TIMER, 1, GetTickCount());
    avoidSystemIdle(nullptr, WM_PAINT, 1, 0);  // not a timer tick: nothing happens
  }
}

TEST_F(ExportsTest, TheLedBlinksFromTurnOnLEDUntilTurnOffLED) {
  auto turnOn = VLMRC_EXPORT(TurnOnLED);
  auto turnOff = VLMRC_EXPORT(TurnOffLED);
  for (int i = 0; i < 3; ++i) {
    HANDLE thread = turnOn();
    ASSERT_NE(thread, nullptr);
    // The blink thread is given time to start, as a host leaves the LED on for a while (32-bit Wine
    // brings the process down when a thread is terminated before it has started).
    EXPECT_EQ(WaitForSingleObject(thread, 100), static_cast<DWORD>(WAIT_TIMEOUT)) << "the blink thread runs";
    turnOff();
  }
}

BOOL CALLBACK CancelIfSheet(HWND window, LPARAM) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

// Cancels the options sheet from the modal loop that CreateVTOpt runs.
void CALLBACK CancelOptionsSheet(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CancelIfSheet, 0);
}

TEST_F(ExportsTest, CreateVTOptReturnsOneWhenTheSheetIsCancelled) {
  auto createVTOpt = VLMRC_EXPORT(CreateVTOpt);
  UINT_PTR timer = SetTimer(nullptr, 0, 100, CancelOptionsSheet);
  ASSERT_NE(timer, 0u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(createVTOpt(nullptr), 1);
  KillTimer(nullptr, timer);
}

}  // namespace
