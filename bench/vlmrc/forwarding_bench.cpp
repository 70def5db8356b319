// Cost of the forwarding record's number operations on full-length numbers (255 characters): the
// phone-number filter on a typed number with separators, and the comparison of a queried and an
// edited record, unchanged (every number read to its end) and changed in the last character.
#include <cstring>

#include <benchmark/benchmark.h>

#include "forwarding/cf_info.h"

namespace {

// "+1 (555) 010-0..." repeated to 255 characters: separators between the digits, as typed.
void FillTypedNumber(WCHAR* field) {
  const char16_t pattern[] = u"+1 (555) 010-0";
  for (int i = 0; i < CF_NUMBER_MAX_LENGTH; ++i) field[i] = pattern[i % (sizeof(pattern) / 2 - 1)];
  field[CF_NUMBER_MAX_LENGTH] = 0;
}

VideoCFInfo FullRecord() {
  VideoCFInfo info;
  std::memset(&info, 0, sizeof(info));
  for (const CFReason& reason : CFReasons) FillTypedNumber(info.*reason.number);
  return info;
}

void FilterPhoneNumber_FullLength(benchmark::State& state) {
  WCHAR typed[CF_NUMBER_UNITS];
  FillTypedNumber(typed);
  for (auto _ : state) benchmark::DoNotOptimize(FilterPhoneNumber(typed));
}
BENCHMARK(FilterPhoneNumber_FullLength);

void CompareCFInfo_FullLength(benchmark::State& state) {
  const VideoCFInfo queried = FullRecord();
  VideoCFInfo edited = FullRecord();
  if (state.range(0) != 0) edited.szBusy[CF_NUMBER_MAX_LENGTH - 1] = u'9';
  for (auto _ : state) {
    benchmark::DoNotOptimize(CompareCFInfo(&queried, &edited));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(CompareCFInfo_FullLength)->ArgName("changed")->Arg(0)->Arg(1);

}  // namespace
