#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "handset/devices.h"
#include "handset/handset.h"
#include "handset/trace.h"
#include "support/handset_test.h"

#include <windows.h>

namespace {

using handset::devices::LedEvent;
using testing_support::HandsetTest;

constexpr DWORD kLedCommand = 0x80020004;

HANDLE OpenLed(LPCWSTR name = TEXT("LED1:")) {
  return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
}

BOOL Send(HANDLE led, DWORD command, DWORD code = kLedCommand, DWORD size = 20) {
  DWORD record[6] = {command, 1, 2, 3, 0, 0};
  DWORD returned = 99;
  BOOL ok = DeviceIoControl(led, code, record, size, nullptr, 0, &returned, nullptr);
  EXPECT_EQ(returned, 0u);
  return ok;
}

class LedDriverTest : public HandsetTest {};

TEST_F(LedDriverTest, LogsOpeningsCommandsAndClosingsInOrderWithTheirTimes) {
  const std::size_t handlesBefore = handset::LiveHandleCount();
  HANDLE first = OpenLed();
  HANDLE second = OpenLed(TEXT("led1:"));
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  ASSERT_NE(second, INVALID_HANDLE_VALUE);
  EXPECT_EQ(handset::devices::OpenLedHandles(), 2u);
  EXPECT_TRUE(Send(first, handset::devices::kLedFirstPhase));
  EXPECT_TRUE(Send(second, handset::devices::kLedOff));
  EXPECT_TRUE(CloseHandle(first));
  EXPECT_TRUE(CloseHandle(second));
  EXPECT_EQ(handset::devices::OpenLedHandles(), 0u);
  EXPECT_EQ(handset::LiveHandleCount(), handlesBefore);

  auto log = handset::devices::LedLog();
  ASSERT_EQ(log.size(), 6u);
  using K = LedEvent::Kind;
  std::vector<std::pair<K, std::uint32_t>> order;
  for (auto& e : log) order.emplace_back(e.kind, e.opening);
  EXPECT_EQ(order, (std::vector<std::pair<K, std::uint32_t>>{
                       {K::Open, 1}, {K::Open, 2}, {K::Command, 1}, {K::Command, 2}, {K::Close, 1}, {K::Close, 2}}));
  EXPECT_EQ(log[2].record, (std::array<std::uint32_t, 5>{handset::devices::kLedFirstPhase, 1, 2, 3, 0}));
  for (std::size_t i = 1; i < log.size(); ++i) EXPECT_LE(log[i - 1].time, log[i].time);

  handset::devices::ClearLedLog();
  EXPECT_TRUE(handset::devices::LedLog().empty());
}

TEST_F(LedDriverTest, RefusesOtherCodesSizesAndHandlesWithoutLogging) {
  HANDLE led = OpenLed();
  handset::devices::ClearLedLog();
  EXPECT_FALSE(Send(led, handset::devices::kLedOff, 0x80020008));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(Send(led, handset::devices::kLedOff, kLedCommand, 16));
  EXPECT_FALSE(Send(led, handset::devices::kLedOff, kLedCommand, 24));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(DeviceIoControl(led, kLedCommand, nullptr, 20, nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  for (HANDLE bad : {HANDLE(nullptr), INVALID_HANDLE_VALUE}) {
    EXPECT_FALSE(Send(bad, handset::devices::kLedOff));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  }
  EXPECT_TRUE(CloseHandle(led));
  EXPECT_FALSE(Send(led, handset::devices::kLedOff));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_TRUE(handset::devices::LedCommands().empty());
}

TEST_F(LedDriverTest, ARemovedDeviceCannotBeOpenedButOpenHandlesKeepWorking) {
  HANDLE before = OpenLed();
  handset::devices::SetLedDevicePresent(false);
  EXPECT_EQ(OpenLed(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(Send(before, handset::devices::kLedOff));
  EXPECT_TRUE(CloseHandle(before));

  EXPECT_EQ(OpenLed(TEXT("COM9:")), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  handset::devices::SetLedDevicePresent(true);
  HANDLE again = OpenLed();
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(again));
}

TEST_F(LedDriverTest, OtherNamesAreExistingFilesOfTheRootFolder) {
  std::filesystem::create_directories(handset::Root() / "Windows");
  std::ofstream(handset::Root() / "Windows" / "x.txt") << "x";
  handset::trace::Start();

  HANDLE file = CreateFileW(TEXT("\\Windows\\x.txt"), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Send(file, handset::devices::kLedOff));  // not a device
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_EQ(handset::trace::Calls("CloseHandle").at(0).args, std::vector<std::string>{"file"});

  EXPECT_EQ(CreateFileW(TEXT("\\Windows\\missing.txt"), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(CreateFileW(TEXT("\\Windows"), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(CreateFileW(TEXT("\\Windows\\new.txt"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_FALSE(std::filesystem::exists(handset::Root() / "Windows" / "new.txt"));
}

}  // namespace
