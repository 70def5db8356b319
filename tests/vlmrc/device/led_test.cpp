#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "handset/clock.h"
#include "handset/devices.h"
#include "handset/handset.h"
#include "handset/threads.h"
#include "handset/trace.h"
#include "support/vlmrc_test.h"

#include <vlmrc/vlmrc.h>

namespace {

using handset::devices::kLedFirstPhase;
using handset::devices::kLedOff;
using handset::devices::kLedSecondPhase;
using handset::devices::LedEvent;

class LedTest : public testing_support::VlmrcTest {
 protected:
  void SetUp() override {
    VlmrcTest::SetUp();
    turnOn_ = VLMRC_EXPORT(TurnOnLED);
    turnOff_ = VLMRC_EXPORT(TurnOffLED);
    handlesBefore_ = handset::LiveHandleCount();
  }

  // Waits (without bound: the test's timeout catches a hang) until the LED log holds `count`
  // commands, or the blink thread has opened the device when count is 0.
  static void WaitForCommands(std::size_t count) {
    while (count == 0 ? handset::devices::OpenLedHandles() == 0 : handset::devices::LedCommands().size() < count)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  // Nothing of the LED is left: no thread, no open device, no handle beyond those before the test.
  void ExpectAllStopped() {
    EXPECT_EQ(handset::threads::LiveThreadCount(), 0u);
    EXPECT_EQ(handset::devices::OpenLedHandles(), 0u);
    EXPECT_EQ(handset::LiveHandleCount(), handlesBefore_);
  }

  // A TurnOffLED that finds both module handles null terminates and closes nothing.
  void ExpectBothHandlesNull() {
    handset::trace::Start();
    turnOff_();
    handset::trace::Stop();
    EXPECT_TRUE(handset::trace::Calls("TerminateThread").empty());
    EXPECT_TRUE(handset::trace::Calls("CloseHandle").empty());
  }

  decltype(&TurnOnLED) turnOn_ = nullptr;
  decltype(&TurnOffLED) turnOff_ = nullptr;
  std::size_t handlesBefore_ = 0;
};

TEST_F(LedTest, BlinksTwoLitPhasesWithAnOffCommandAtEachChange) {
  HANDLE thread = turnOn_();
  ASSERT_NE(thread, nullptr);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  WaitForCommands(7);
  turnOff_();
  ExpectAllStopped();

  auto commands = handset::devices::LedCommands();
  ASSERT_GE(commands.size(), 8u);
  const std::uint32_t cycle[] = {kLedFirstPhase, kLedOff, kLedSecondPhase, kLedOff};
  for (std::size_t i = 0; i + 1 < commands.size(); ++i) {
    EXPECT_EQ(commands[i].record[0], cycle[i % 4]) << "command " << i;
    EXPECT_EQ(commands[i].opening, 1u);
  }
  EXPECT_EQ(commands.back().record[0], kLedOff);  // TurnOffLED's own
  for (auto& command : commands) EXPECT_EQ(command.record, (std::array<std::uint32_t, 5>{command.record[0]}));
  EXPECT_EQ(handset::devices::LedLog().back().kind, LedEvent::Kind::Close);
  EXPECT_FALSE(GetExitCodeThread(thread, &code)) << "the module closes its thread handle";
  ExpectBothHandlesNull();
}

// On the held handset clock: the first lit phase, 300 ms, then off and at once the second lit phase,
// 300 ms, then off and at once the first again. The clock is moved only once the blink thread
// sleeps, and one millisecond short of a phase the thread must still be asleep.
TEST_F(LedTest, EachLitPhaseLastsThreeHundredMillisecondsWithTheOffCommandAtTheChange) {
  using namespace std::chrono_literals;
  handset::clock::Freeze();
  HANDLE thread = turnOn_();
  ASSERT_NE(thread, nullptr);
  ASSERT_TRUE(handset::threads::WaitUntilBlocked(thread));
  for (int change = 1; change <= 4; ++change) {
    std::size_t sent = handset::devices::LedCommands().size();
    handset::clock::Advance(299ms);
    ASSERT_TRUE(handset::threads::WaitUntilBlocked(thread));
    EXPECT_EQ(handset::devices::LedCommands().size(), sent) << "change " << change << " came early";
    handset::clock::Advance(1ms);
    ASSERT_TRUE(handset::threads::WaitUntilBlocked(thread));
  }
  turnOff_();

  auto commands = handset::devices::LedCommands();
  std::vector<std::pair<std::uint32_t, long long>> measured;
  for (auto& command : commands)
    measured.emplace_back(command.record[0],
                          std::chrono::duration_cast<std::chrono::milliseconds>(command.time - commands[0].time).count());
  EXPECT_EQ(measured, (std::vector<std::pair<std::uint32_t, long long>>{
                          {kLedFirstPhase, 0},
                          {kLedOff, 300}, {kLedSecondPhase, 300},
                          {kLedOff, 600}, {kLedFirstPhase, 600},
                          {kLedOff, 900}, {kLedSecondPhase, 900},
                          {kLedOff, 1200}, {kLedFirstPhase, 1200},
                          {kLedOff, 1200},  // TurnOffLED's, on the held clock
                      }));
  ExpectAllStopped();
}

TEST_F(LedTest, TurningOnTwiceStopsTheFirstThreadAndClosesItsDeviceBeforeTheSecondStarts) {
  turnOn_();
  WaitForCommands(0);
  handset::trace::Start();
  HANDLE second = turnOn_();
  handset::trace::Stop();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(handset::threads::LiveThreadCount(), 1u);

  std::vector<std::pair<std::string, std::vector<std::string>>> calls;
  for (auto& call : handset::trace::Calls()) calls.emplace_back(call.function, call.args);
  using Args = std::vector<std::string>;
  EXPECT_EQ(calls, (std::vector<std::pair<std::string, Args>>{{"TerminateThread", Args{"259"}},
                                                               {"CloseHandle", Args{"thread"}},
                                                               {"CloseHandle", Args{"device"}},
                                                               {"CreateThread", Args{}}}));
  WaitForCommands(0);
  std::vector<std::pair<LedEvent::Kind, std::uint32_t>> openings;
  for (auto& event : handset::devices::LedLog())
    if (event.kind != LedEvent::Kind::Command) openings.emplace_back(event.kind, event.opening);
  EXPECT_EQ(openings, (std::vector<std::pair<LedEvent::Kind, std::uint32_t>>{
                          {LedEvent::Kind::Open, 1}, {LedEvent::Kind::Close, 1}, {LedEvent::Kind::Open, 2}}));
  turnOff_();
  ExpectAllStopped();
}

TEST_F(LedTest, TurningOffWithoutABlinkThreadTerminatesAndClosesNothing) {
  ExpectBothHandlesNull();
  ExpectBothHandlesNull();
  EXPECT_TRUE(handset::devices::LedLog().empty());
  ExpectAllStopped();
}

TEST_F(LedTest, TurningOffAtOnceStopsTheThreadWhetherOrNotItOpenedTheDevice) {
  for (int i = 0; i < 20; ++i) {
    turnOn_();
    turnOff_();
    ExpectAllStopped();
  }
  ExpectBothHandlesNull();
}

TEST_F(LedTest, WithoutTheDeviceTheThreadKeepsBlinkingIntoNothingUntilTurnedOff) {
  handset::devices::SetLedDevicePresent(false);
  handset::clock::Freeze();
  HANDLE thread = turnOn_();
  ASSERT_NE(thread, nullptr);
  ASSERT_TRUE(handset::threads::WaitUntilBlocked(thread));
  handset::clock::Advance(std::chrono::milliseconds(400));  // past one lit phase
  ASSERT_TRUE(handset::threads::WaitUntilBlocked(thread)) << "asleep in its second phase";
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  turnOff_();
  EXPECT_TRUE(handset::devices::LedLog().empty());
  ExpectAllStopped();
  ExpectBothHandlesNull();
}

TEST_F(LedTest, AFailedThreadCreationLeavesNothingToStop) {
  handset::threads::SetThreadCreationFails(true);
  EXPECT_EQ(turnOn_(), nullptr);
  ExpectBothHandlesNull();
  handset::threads::SetThreadCreationFails(false);
  EXPECT_NE(turnOn_(), nullptr);
  turnOff_();
  ExpectAllStopped();
}

TEST_F(LedTest, TwoHundredOnOffCyclesLeaveNoThreadOrHandleBehind) {
  for (int cycle = 0; cycle < 200; ++cycle) {
    turnOn_();
    if (cycle % 20 == 0) WaitForCommands(handset::devices::LedCommands().size() + 1);  // now and then, mid-blink
    if (cycle % 3 == 0) turnOn_();                                                      // a restart
    turnOff_();
  }
  ExpectAllStopped();
  std::size_t opened = 0;
  std::size_t closed = 0;
  for (auto& event : handset::devices::LedLog()) {
    opened += event.kind == LedEvent::Kind::Open;
    closed += event.kind == LedEvent::Kind::Close;
  }
  EXPECT_EQ(opened, closed);
}

}  // namespace
