// GetTimeZoneInformation and SetTimeZoneInformation on the handset clock.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <windows.h>

#include "handset/clock.h"
#include "support/handset_test.h"
#include "support/system_time.h"

namespace {

using testing_support::HandsetTest;
using testing_support::MakeSystemTime;
using TimeZoneTest = HandsetTest;

// "The wDay-th wDayOfWeek of wMonth at wHour", the form recurring transitions take.
SYSTEMTIME DayInMonth(WORD month, WORD week, WORD dayOfWeek, WORD hour) {
  SYSTEMTIME date{};
  date.wMonth = month;
  date.wDay = week;
  date.wDayOfWeek = dayOfWeek;
  date.wHour = hour;
  return date;
}

TIME_ZONE_INFORMATION Zone(LONG bias, LONG standardBias, LONG daylightBias, SYSTEMTIME standardDate = {},
                           SYSTEMTIME daylightDate = {}, const char16_t* standardName = u"",
                           const char16_t* daylightName = u"") {
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = bias;
  zone.StandardBias = standardBias;
  zone.DaylightBias = daylightBias;
  zone.StandardDate = standardDate;
  zone.DaylightDate = daylightDate;
  std::char_traits<char16_t>::copy(zone.StandardName, standardName, std::char_traits<char16_t>::length(standardName));
  std::char_traits<char16_t>::copy(zone.DaylightName, daylightName, std::char_traits<char16_t>::length(daylightName));
  return zone;
}

bool SameRecord(const TIME_ZONE_INFORMATION& a, const TIME_ZONE_INFORMATION& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

ULONGLONG Ticks(const SYSTEMTIME& time) {
  FILETIME file{};
  EXPECT_TRUE(SystemTimeToFileTime(&time, &file));
  return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

constexpr ULONGLONG kTicksPerMinute = 600'000'000;

TEST_F(TimeZoneTest, AFreshHandsetHasNoTimeZone) {
  TIME_ZONE_INFORMATION zone;
  std::memset(&zone, 0x5A, sizeof zone);
  EXPECT_EQ(GetTimeZoneInformation(&zone), static_cast<DWORD>(TIME_ZONE_ID_UNKNOWN));
  EXPECT_TRUE(SameRecord(zone, Zone(0, 0, 0)));

  SetLastError(0);
  EXPECT_EQ(GetTimeZoneInformation(nullptr), static_cast<DWORD>(TIME_ZONE_ID_UNKNOWN));  // CE's failure answer
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(TimeZoneTest, ARecordSetIsReadBackWithTheBiasInEffectOnTheClock) {
  struct Case {
    TIME_ZONE_INFORMATION zone;
    DWORD id;
    int clockBias;  // Bias + StandardBias: the handset keeps standard time
  };
  const Case cases[] = {
      {Zone(-60, 0, -60, DayInMonth(10, 5, 0, 3), DayInMonth(3, 5, 0, 2), u"W. Europe Standard Time",
            u"W. Europe Daylight Time"),
       TIME_ZONE_ID_STANDARD, -60},
      {Zone(300, 0, -60, DayInMonth(11, 1, 0, 2), DayInMonth(3, 2, 0, 2), u"EST", u"EDT"), TIME_ZONE_ID_STANDARD, 300},
      {Zone(-540, 0, 0, {}, {}, u"Tokyo Standard Time"), TIME_ZONE_ID_UNKNOWN, -540},
      {Zone(-330, 15, -45, MakeSystemTime(2009, 10, 25, 3), MakeSystemTime(2009, 3, 29, 2)), TIME_ZONE_ID_STANDARD,
       -315},
      {Zone(0, 0, 0), TIME_ZONE_ID_UNKNOWN, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone.Bias);
    ASSERT_TRUE(SetTimeZoneInformation(&c.zone));
    TIME_ZONE_INFORMATION back{};
    EXPECT_EQ(GetTimeZoneInformation(&back), c.id);
    EXPECT_TRUE(SameRecord(back, c.zone));
    EXPECT_EQ(handset::clock::TimeZoneBias(), c.clockBias);
  }

  // The control API's bias is the one in effect: the record reports it less the standard bias.
  TIME_ZONE_INFORMATION zone = Zone(-330, 15, -45);
  ASSERT_TRUE(SetTimeZoneInformation(&zone));
  handset::clock::SetTimeZoneBias(-120);
  TIME_ZONE_INFORMATION back{};
  GetTimeZoneInformation(&back);
  EXPECT_EQ(back.Bias, -135);
}

TEST_F(TimeZoneTest, SettingATimeZoneKeepsLocalTimeAndMovesUtcAsOnCe) {
  handset::clock::Set(MakeSystemTime(2009, 2, 13, 12, 0), false);
  const SYSTEMTIME localBefore = [] {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return t;
  }();
  struct Case {
    LONG bias, standardBias;
    long long utcMinutesFromStart;  // UTC = local + bias, local staying at 12:00
  };
  for (const Case& c : {Case{300, 0, 300}, Case{-60, 0, -60}, Case{-330, 15, -315}, Case{0, 0, 0}}) {
    TIME_ZONE_INFORMATION zone = Zone(c.bias, c.standardBias, 0);
    ASSERT_TRUE(SetTimeZoneInformation(&zone));
    SYSTEMTIME local{}, utc{};
    GetLocalTime(&local);
    GetSystemTime(&utc);
    EXPECT_EQ(Ticks(local), Ticks(localBefore));
    EXPECT_EQ(static_cast<long long>(Ticks(utc) - Ticks(localBefore)),
              c.utcMinutesFromStart * static_cast<long long>(kTicksPerMinute));
  }
}

TEST_F(TimeZoneTest, MalformedRecordsAreRefusedAndChangeNothing) {
  handset::clock::Set(MakeSystemTime(2009, 2, 13, 12, 0), false);
  TIME_ZONE_INFORMATION kept = Zone(-60, 0, -60, DayInMonth(10, 5, 0, 3), DayInMonth(3, 5, 0, 2), u"CET", u"CEST");
  ASSERT_TRUE(SetTimeZoneInformation(&kept));
  const TIME_ZONE_INFORMATION refused[] = {
      Zone(0, 0, -60, DayInMonth(10, 5, 0, 3)),                       // a standard date without a daylight one
      Zone(0, 0, -60, {}, DayInMonth(3, 5, 0, 2)),                    // and the reverse
      Zone(0, 0, -60, DayInMonth(13, 1, 0, 2), DayInMonth(3, 5, 0, 2)),  // no 13th month
      Zone(0, 0, -60, DayInMonth(10, 6, 0, 2), DayInMonth(3, 5, 0, 2)),  // no 6th week
      Zone(0, 0, -60, DayInMonth(10, 0, 0, 2), DayInMonth(3, 5, 0, 2)),  // nor a 0th
      Zone(0, 0, -60, DayInMonth(10, 5, 7, 2), DayInMonth(3, 5, 0, 2)),  // no 8th weekday
      Zone(0, 0, -60, DayInMonth(10, 5, 0, 24), DayInMonth(3, 5, 0, 2)),  // no 24th hour
      Zone(0, 0, -60, MakeSystemTime(2009, 2, 30), MakeSystemTime(2009, 3, 29)),  // no 30 February
      Zone(0x7FFFFFFF, 1, 0),                                          // a bias in effect past a LONG
  };
  for (const TIME_ZONE_INFORMATION& zone : refused) {
    SetLastError(0);
    EXPECT_FALSE(SetTimeZoneInformation(&zone));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  SetLastError(0);
  EXPECT_FALSE(SetTimeZoneInformation(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  TIME_ZONE_INFORMATION back{};
  EXPECT_EQ(GetTimeZoneInformation(&back), static_cast<DWORD>(TIME_ZONE_ID_STANDARD));
  EXPECT_TRUE(SameRecord(back, kept));
  SYSTEMTIME utc{};
  GetSystemTime(&utc);
  EXPECT_EQ(Ticks(utc), Ticks(MakeSystemTime(2009, 2, 13, 11, 0)));
}

}  // namespace
