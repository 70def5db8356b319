#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <stdexcept>
#include <thread>
#include <vector>

#include <windows.h>

#include "handset/clock.h"
#include "handset/handset.h"
#include "support/handset_test.h"
#include "support/system_time.h"

namespace {

using namespace std::chrono_literals;
using testing_support::HandsetTest;
using testing_support::MakeSystemTime;

ULONGLONG Ticks(const FILETIME& f) { return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime; }

FILETIME FromTicks(ULONGLONG ticks) { return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }

ULONGLONG ToTicks(const SYSTEMTIME& t) {
  FILETIME f{};
  EXPECT_TRUE(SystemTimeToFileTime(&t, &f));
  return Ticks(f);
}

SYSTEMTIME ToSystem(ULONGLONG ticks) {
  FILETIME f = FromTicks(ticks);
  SYSTEMTIME t{};
  EXPECT_TRUE(FileTimeToSystemTime(&f, &t));
  return t;
}

void ExpectFields(const SYSTEMTIME& t, WORD year, WORD month, WORD day, WORD dayOfWeek, WORD hour, WORD minute,
                  WORD second, WORD ms) {
  EXPECT_EQ(t.wYear, year);
  EXPECT_EQ(t.wMonth, month);
  EXPECT_EQ(t.wDay, day);
  EXPECT_EQ(t.wDayOfWeek, dayOfWeek);
  EXPECT_EQ(t.wHour, hour);
  EXPECT_EQ(t.wMinute, minute);
  EXPECT_EQ(t.wSecond, second);
  EXPECT_EQ(t.wMilliseconds, ms);
}

constexpr ULONGLONG kTicksPerDay = 864000000000ull;

TEST(FileTimeTest, KnownInstantsConvertBothWays) {
  EXPECT_EQ(ToTicks(MakeSystemTime(1601, 1, 1)), 0u);
  ExpectFields(ToSystem(0), 1601, 1, 1, 1, 0, 0, 0, 0);  // 1601-01-01 was a Monday
  EXPECT_EQ(ToTicks(MakeSystemTime(1970, 1, 1)), 116444736000000000ull);
  ExpectFields(ToSystem(116444736000000000ull), 1970, 1, 1, 4, 0, 0, 0, 0);
  EXPECT_EQ(ToTicks(MakeSystemTime(2009, 2, 13, 23, 31, 30, 123)), 116444736000000000ull + 1234567890123ull * 10000);
  ExpectFields(ToSystem(116444736000000000ull + 1234567890123ull * 10000 + 9999), 2009, 2, 13, 5, 23, 31, 30, 123);
  // The last convertible instant.
  ExpectFields(ToSystem(0x7FFFFFFFFFFFFFFFull), 30828, 9, 14, 4, 2, 48, 5, 477);
}

TEST(FileTimeTest, LeapDaysRoundTrip) {
  for (WORD year : {1604, 2000, 2008, 2400}) {
    SYSTEMTIME back = ToSystem(ToTicks(MakeSystemTime(year, 2, 29, 12, 0, 0, 1)));
    ExpectFields(back, year, 2, 29, back.wDayOfWeek, 12, 0, 0, 1);
    EXPECT_EQ(ToTicks(MakeSystemTime(year, 3, 1)) - ToTicks(MakeSystemTime(year, 2, 28)), 2 * kTicksPerDay);
  }
  EXPECT_EQ(ToTicks(MakeSystemTime(1900, 3, 1)) - ToTicks(MakeSystemTime(1900, 2, 28)), kTicksPerDay);
  ExpectFields(ToSystem(ToTicks(MakeSystemTime(2008, 12, 31, 23, 59, 59, 999))), 2008, 12, 31, 3, 23, 59, 59, 999);
  EXPECT_EQ(ToTicks(MakeSystemTime(2009, 1, 1)) - ToTicks(MakeSystemTime(2008, 1, 1)), 366 * kTicksPerDay);
}

TEST(FileTimeTest, InvalidFieldsAreRefused) {
  const SYSTEMTIME invalid[] = {
      MakeSystemTime(1600, 12, 31), MakeSystemTime(30828, 1, 1), MakeSystemTime(2009, 0, 1), MakeSystemTime(2009, 13, 1), MakeSystemTime(2009, 1, 0),
      MakeSystemTime(2009, 1, 32),  MakeSystemTime(2009, 2, 29), MakeSystemTime(1900, 2, 29), MakeSystemTime(2009, 4, 31), MakeSystemTime(2009, 1, 1, 24),
      MakeSystemTime(2009, 1, 1, 0, 60), MakeSystemTime(2009, 1, 1, 0, 0, 60), MakeSystemTime(2009, 1, 1, 0, 0, 0, 1000), MakeSystemTime(65535, 65535, 65535)};
  for (const SYSTEMTIME& t : invalid) {
    FILETIME f{0xAAAA, 0xBBBB};
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&t, &f)) << t.wYear << "-" << t.wMonth << "-" << t.wDay;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(f.dwLowDateTime, 0xAAAAu);  // untouched
  }
  SYSTEMTIME anyWeekday = MakeSystemTime(2009, 1, 1);
  anyWeekday.wDayOfWeek = 6;  // ignored
  FILETIME f{};
  EXPECT_TRUE(SystemTimeToFileTime(&anyWeekday, &f));
  EXPECT_TRUE(SystemTimeToFileTime(&(anyWeekday = MakeSystemTime(30827, 12, 31, 23, 59, 59, 999)), &f));
}

TEST(FileTimeTest, HighBitFileTimesAreRefused) {
  SYSTEMTIME t = MakeSystemTime(2000, 1, 1);
  for (ULONGLONG ticks : {0x8000000000000000ull, 0xFFFFFFFFFFFFFFFFull}) {
    FILETIME f = FromTicks(ticks);
    SetLastError(0);
    EXPECT_FALSE(FileTimeToSystemTime(&f, &t));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(t.wYear, 2000);
  }
  EXPECT_FALSE(FileTimeToSystemTime(nullptr, &t));
  EXPECT_FALSE(SystemTimeToFileTime(&t, nullptr));
}

TEST_F(HandsetTest, LocalTimeFollowsTheTimeZoneBias) {
  EXPECT_EQ(handset::clock::TimeZoneBias(), 0);
  handset::clock::Set(MakeSystemTime(2009, 3, 1, 0, 30), false);
  SYSTEMTIME utc{}, local{};
  GetLocalTime(&local);
  ExpectFields(local, 2009, 3, 1, 0, 0, 30, 0, 0);

  handset::clock::SetTimeZoneBias(60);  // an hour behind UTC: back into February
  GetSystemTime(&utc);
  GetLocalTime(&local);
  ExpectFields(utc, 2009, 3, 1, 0, 0, 30, 0, 0);
  ExpectFields(local, 2009, 2, 28, 6, 23, 30, 0, 0);

  handset::clock::SetTimeZoneBias(-330);  // five and a half hours ahead
  GetLocalTime(&local);
  ExpectFields(local, 2009, 3, 1, 0, 6, 0, 0, 0);

  FILETIME f = FromTicks(ToTicks(MakeSystemTime(2009, 3, 1))), localFile{};
  EXPECT_TRUE(FileTimeToLocalFileTime(&f, &localFile));
  EXPECT_EQ(Ticks(localFile), Ticks(f) + 330ull * 60 * 10000000);

  handset::clock::SetTimeZoneBias(60);
  FILETIME early = FromTicks(0);
  EXPECT_FALSE(FileTimeToLocalFileTime(&early, &localFile));  // would fall before 1601
}

TEST_F(HandsetTest, FreshHandsetRunsOnTheRealClock) {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  std::time_t host = std::time(nullptr);
  std::tm parts{};
  gmtime_r(&host, &parts);
  EXPECT_EQ(now.wYear, parts.tm_year + 1900);
  EXPECT_EQ(now.wDayOfWeek, parts.tm_wday);
  EXPECT_NEAR(ToTicks(now) / 10000000.0, static_cast<double>(host) + 11644473600.0, 5.0);
}

TEST_F(HandsetTest, SetFreezeRunAndAdvance) {
  handset::clock::Set(MakeSystemTime(2009, 2, 13, 23, 31, 30), false);
  SYSTEMTIME t{};
  GetSystemTime(&t);
  DWORD ticksBefore = GetTickCount();
  std::this_thread::sleep_for(20ms);
  SYSTEMTIME later{};
  GetSystemTime(&later);
  EXPECT_EQ(ToTicks(later), ToTicks(t));  // frozen
  EXPECT_EQ(GetTickCount(), ticksBefore);

  handset::clock::Advance(90s);
  GetSystemTime(&t);
  ExpectFields(t, 2009, 2, 13, 5, 23, 33, 0, 0);
  EXPECT_EQ(GetTickCount(), ticksBefore + 90000);  // time has passed

  handset::clock::Advance(-24h);
  GetSystemTime(&t);
  ExpectFields(t, 2009, 2, 12, 4, 23, 33, 0, 0);
  EXPECT_EQ(GetTickCount(), ticksBefore + 90000);  // setting a clock back does not rewind the tick count

  handset::clock::Run();
  std::this_thread::sleep_for(30ms);
  GetSystemTime(&later);
  EXPECT_GE(ToTicks(later) - ToTicks(t), 30u * 10000);
  EXPECT_LT(ToTicks(later) - ToTicks(t), 60u * 10000000);
  EXPECT_GE(GetTickCount() - ticksBefore, 90030u);

  FILETIME leap = FromTicks(ToTicks(MakeSystemTime(2012, 2, 29, 8)));
  handset::clock::Set(leap, false);
  GetSystemTime(&t);
  ExpectFields(t, 2012, 2, 29, 3, 8, 0, 0, 0);
  handset::clock::Set(leap, true);
  std::this_thread::sleep_for(10ms);
  GetSystemTime(&t);
  EXPECT_GT(ToTicks(t), Ticks(leap));
}

TEST_F(HandsetTest, ClockControlRefusesInvalidTimesAndStaysWithinRange) {
  EXPECT_THROW(handset::clock::Set(MakeSystemTime(2009, 2, 30)), std::invalid_argument);
  EXPECT_THROW(handset::clock::Set(FromTicks(0x8000000000000000ull)), std::invalid_argument);

  handset::clock::Set(MakeSystemTime(1601, 1, 1, 0, 0, 1), false);
  handset::clock::Advance(-1h);
  SYSTEMTIME t{};
  GetSystemTime(&t);
  ExpectFields(t, 1601, 1, 1, 1, 0, 0, 0, 0);
  handset::clock::SetTimeZoneBias(-60);
  GetLocalTime(&t);
  ExpectFields(t, 1601, 1, 1, 1, 1, 0, 0, 0);
}

TEST_F(HandsetTest, RealClockAgainAfterASetAndAFreshClockPerHandset) {
  handset::clock::Set(MakeSystemTime(2001, 1, 1), false);
  handset::clock::SetTimeZoneBias(120);
  handset::clock::UseRealClock();
  SYSTEMTIME t{};
  GetSystemTime(&t);
  EXPECT_GT(t.wYear, 2020);
  EXPECT_EQ(handset::clock::TimeZoneBias(), 120);  // the time zone is kept

  handset::clock::Set(MakeSystemTime(2001, 1, 1), false);
  handset::Reset();
  GetSystemTime(&t);
  EXPECT_GT(t.wYear, 2020);
  EXPECT_EQ(handset::clock::TimeZoneBias(), 0);
}

TEST_F(HandsetTest, ClockIsSafeToUseFromManyThreads) {
  handset::clock::Set(MakeSystemTime(2009, 1, 1), false);
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([] {
      for (int k = 0; k < 1000; ++k) {
        handset::clock::Advance(1ms);
        SYSTEMTIME t{};
        GetLocalTime(&t);
      }
    });
  for (auto& thread : threads) thread.join();
  SYSTEMTIME t{};
  GetSystemTime(&t);
  ExpectFields(t, 2009, 1, 1, 4, 0, 0, 4, 0);
}

}  // namespace
