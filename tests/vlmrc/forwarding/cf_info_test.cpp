// The forwarding record's operations: the phone-number filter, the comparison that marks changed
// reasons, and the store of the last number per reason under "Software\Zarvo\VideoService".
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "handset/registry.h"
#include "handset/trace.h"
#include "internals/internals_test.h"

namespace {

const char kVideoService[] = "HKLM\\Software\\Zarvo\\VideoService";

class CFInfoTest : public testing_support::InternalsTest {
 protected:
  static VideoCFInfo Record() {
    VideoCFInfo info;
    std::memset(&info, 0, sizeof(info));
    return info;
  }
  static void SetNumber(WCHAR (&field)[CF_NUMBER_UNITS], std::u16string_view text) {
    std::memset(field, 0, sizeof(field));
    text.copy(field, CF_NUMBER_UNITS - 1);
  }
  // The registry calls of the record, as "function path [value]".
  static std::vector<std::string> RegistryCalls() {
    std::vector<std::string> calls;
    for (const auto& call : handset::trace::Calls()) {
      if (call.function.rfind("Reg", 0) != 0) continue;
      std::string line = call.function + " " + call.args[0];
      if ((call.function == "RegSetValueExW" || call.function == "RegQueryValueExW") && call.args.size() > 1)
        line += " " + call.args[1];
      calls.push_back(line);
    }
    return calls;
  }
};

TEST_F(CFInfoTest, FilterKeepsOnlyDiallableCharactersInOrder) {
  const struct {
    std::u16string text;
    std::u16string filtered;
  } cases[] = {
      {u"(0912) 345-678", u"0912345678"},
      {u"+44 20 7946 0000 p123", u"+442079460000p123"},
      {u"P12", u"12"},  // only the lower-case pause
      {u"*#31#0912", u"*#31#0912"},
      {u"abc", u""},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(std::u16string(lib_->FilterPhoneNumber(c.text.c_str())), c.filtered);
}

TEST_F(CFInfoTest, FilterCutsALongResultAtItsBufferAndOverwritesItNextTime) {
  std::u16string longText(1000, u'7');
  LPCWSTR first = lib_->FilterPhoneNumber(longText.c_str());
  EXPECT_EQ(std::u16string(first), std::u16string(MAX_PATH - 1, u'7'));

  LPCWSTR second = lib_->FilterPhoneNumber(u"12-3");
  EXPECT_EQ(second, first) << "one module-wide result buffer";
  EXPECT_EQ(std::u16string(second), u"123") << "nothing of the longer result is left";
}

TEST_F(CFInfoTest, CompareMarksTheReasonOfEachDifference) {
  struct Case {
    const char* name;
    std::function<void(VideoCFInfo&)> edit;
    std::vector<BOOL VideoCFInfo::*> changed;
  };
  const Case cases[] = {
      {"equal apart from outcome flags and bUseNetwork",
       [](VideoCFInfo& e) {
         e.bDone = 1;
         e.bFailed = 1;
         e.bUseNetwork = 1;
       },
       {}},
      {"separators of a number", [](VideoCFInfo& e) { SetNumber(e.szAllCall, u"0912345678"); },
       {&VideoCFInfo::bAllCallChanged}},
      {"no-reply time only", [](VideoCFInfo& e) { e.nNoReplyIndex = 5; }, {&VideoCFInfo::bNoAnsChanged}},
      {"busy switched on", [](VideoCFInfo& e) { e.bBusy = 1; }, {&VideoCFInfo::bBusyChanged}},
      {"letter case of a number", [](VideoCFInfo& e) { SetNumber(e.szUnavailable, u"5550100P"); },
       {&VideoCFInfo::bUnavailableChanged}},
      {"not-reachable flag and no-answer number",
       [](VideoCFInfo& e) {
         e.bUnavailable = 0;
         SetNumber(e.szNoAns, u"");
       },
       {&VideoCFInfo::bUnavailableChanged, &VideoCFInfo::bNoAnsChanged}},
  };
  const std::vector<BOOL VideoCFInfo::*> allChanged = {&VideoCFInfo::bAllCallChanged, &VideoCFInfo::bNoAnsChanged,
                                                       &VideoCFInfo::bUnavailableChanged,
                                                       &VideoCFInfo::bBusyChanged};
  VideoCFInfo queried = Record();
  queried.bUnavailable = 1;
  queried.nNoReplyIndex = 3;
  SetNumber(queried.szAllCall, u"0912-345678");
  SetNumber(queried.szNoAns, u"5550100");
  SetNumber(queried.szUnavailable, u"5550100p");
  for (const Case& c : cases) {
    VideoCFInfo edited = queried;
    c.edit(edited);
    EXPECT_EQ(lib_->CompareCFInfo(&queried, &edited), c.changed.empty()) << c.name;
    for (auto flag : allChanged) {
      bool expected = std::find(c.changed.begin(), c.changed.end(), flag) != c.changed.end();
      EXPECT_EQ(edited.*flag, expected ? 1 : 0) << c.name;
    }
  }
}

TEST_F(CFInfoTest, CompareReadsANumberWithoutTerminatorNoFurtherThanItsField) {
  // The busy number is the last one: whatever follows it differs between the two records.
  VideoCFInfo queried = Record();
  VideoCFInfo edited = Record();
  std::fill(std::begin(queried.szBusy), std::end(queried.szBusy), u'5');
  std::fill(std::begin(edited.szBusy), std::end(edited.szBusy), u'5');
  queried.nNoReplyIndex = edited.nNoReplyIndex = 0x00330033;  // read as text, no terminator either
  queried.bUseNetwork = 0x00310031;
  edited.bUseNetwork = 0x00320032;
  EXPECT_TRUE(lib_->CompareCFInfo(&queried, &edited));
  EXPECT_EQ(edited.bBusyChanged, 0);
}

TEST_F(CFInfoTest, SaveWritesTheChangedReasonsInOrderThenFlushes) {
  handset::registry::WriteString(kVideoService, "stAllCall", u"111");
  handset::registry::WriteString(kVideoService, "stNoAns", u"222");
  VideoCFInfo info = Record();
  info.bBusyChanged = 1;
  info.bAllCallChanged = 1;
  info.bUnavailableChanged = 1;
  SetNumber(info.szBusy, u"5550100");
  SetNumber(info.szAllCall, u"");
  SetNumber(info.szNoAns, u"999");  // not changed: not stored
  SetNumber(info.szUnavailable, std::u16string(64, u'8'));

  handset::trace::Start();
  lib_->SaveCFNumbers(&info);
  EXPECT_EQ(RegistryCalls(), (std::vector<std::string>{
                                 "RegCreateKeyExW HKLM\\Software\\Zarvo",
                                 "RegCreateKeyExW HKLM\\Software\\Zarvo\\VideoService",
                                 "RegSetValueExW HKLM\\Software\\Zarvo\\VideoService stbusy",
                                 "RegSetValueExW HKLM\\Software\\Zarvo\\VideoService stUnavailiable",
                                 "RegSetValueExW HKLM\\Software\\Zarvo\\VideoService stAllCall",
                                 "RegCloseKey HKLM\\Software\\Zarvo\\VideoService",
                                 "RegCloseKey HKLM\\Software\\Zarvo",
                                 "RegFlushKey HKLM",
                             }));
  EXPECT_EQ(handset::registry::ReadString(kVideoService, "stbusy"), u"5550100");
  EXPECT_EQ(handset::registry::ReadString(kVideoService, "stUnavailiable"), std::u16string(64, u'8'));
  auto allCall = handset::registry::Read(kVideoService, "stAllCall");
  ASSERT_TRUE(allCall);
  EXPECT_EQ(allCall->type, static_cast<std::uint32_t>(REG_SZ));
  EXPECT_EQ(allCall->data, std::vector<std::uint8_t>(2, 0)) << "an empty number is stored as its terminator";
  EXPECT_EQ(handset::registry::ReadString(kVideoService, "stNoAns"), u"222");
}

TEST_F(CFInfoTest, SaveStoresANumberWithoutTerminatorCutToItsField) {
  VideoCFInfo info = Record();
  info.bNoAnsChanged = 1;
  std::fill(std::begin(info.szNoAns), std::end(info.szNoAns), u'4');
  lib_->SaveCFNumbers(&info);
  EXPECT_EQ(handset::registry::ReadString(kVideoService, "stNoAns"), std::u16string(CF_NUMBER_MAX_LENGTH, u'4'));
}

TEST_F(CFInfoTest, SaveStopsWithoutFlushingWhenAKeyCannotBeObtained) {
  handset::registry::FailKey(kVideoService);
  VideoCFInfo info = Record();
  info.bBusyChanged = 1;
  SetNumber(info.szBusy, u"5550100");
  handset::trace::Start();
  lib_->SaveCFNumbers(&info);
  EXPECT_EQ(RegistryCalls(), (std::vector<std::string>{"RegCreateKeyExW HKLM\\Software\\Zarvo",
                                                       "RegCreateKeyExW HKLM\\Software\\Zarvo\\VideoService",
                                                       "RegCloseKey HKLM\\Software\\Zarvo"}));
}

TEST_F(CFInfoTest, LoadReadsTheFourNumbersInOrderWithinTheSizeLimit) {
  handset::registry::WriteString(kVideoService, "stbusy", u"5550100");
  handset::registry::WriteString(kVideoService, "stAllCall", std::u16string(128, u'1'));  // fits: 258 bytes
  handset::registry::WriteString(kVideoService, "stNoAns", std::u16string(200, u'2'));    // too long
  // Stored by another program without its terminator, after a longer value was read.
  const std::u16string unterminated = u"33";
  handset::registry::Write(kVideoService, "stUnavailiable", REG_SZ,
                           {reinterpret_cast<const std::uint8_t*>(unterminated.data()), 4});
  VideoCFInfo info = Record();
  SetNumber(info.szNoAns, u"old");

  handset::trace::Start();
  lib_->LoadCFNumbers(&info);
  std::vector<std::string> reads;
  for (const auto& line : RegistryCalls())
    if (line.rfind("RegQueryValueExW", 0) == 0) reads.push_back(line.substr(line.rfind(' ') + 1));
  EXPECT_EQ(reads, (std::vector<std::string>{"stbusy", "stAllCall", "stNoAns", "stUnavailiable"}));
  EXPECT_EQ(std::u16string(info.szBusy), u"5550100");
  EXPECT_EQ(std::u16string(info.szAllCall), std::u16string(128, u'1'));
  EXPECT_EQ(std::u16string(info.szNoAns), u"");
  EXPECT_EQ(std::u16string(info.szUnavailable), u"33") << "no tail of an earlier read";
}

TEST_F(CFInfoTest, LoadCreatesTheMissingKeyAndYieldsEmptyNumbers) {
  VideoCFInfo info = Record();
  for (const CFReason* r = lib_->Reasons; r != lib_->Reasons + CF_REASON_COUNT; ++r) SetNumber(info.*r->number, u"x");
  lib_->LoadCFNumbers(&info);
  EXPECT_TRUE(handset::registry::KeyExists(kVideoService));
  for (const CFReason* r = lib_->Reasons; r != lib_->Reasons + CF_REASON_COUNT; ++r)
    EXPECT_EQ(std::u16string(info.*r->number), u"");
}

TEST_F(CFInfoTest, LoadLeavesTheNumbersWhenTheKeyCannotBeObtained) {
  handset::registry::FailKey("HKLM\\Software\\Zarvo");
  VideoCFInfo info = Record();
  SetNumber(info.szBusy, u"kept");
  lib_->LoadCFNumbers(&info);
  EXPECT_EQ(std::u16string(info.szBusy), u"kept");
}

TEST_F(CFInfoTest, NumbersSavedUnderEachReasonLoadBackIntoTheSameReason) {
  VideoCFInfo saved = Record();
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    const CFReason& reason = lib_->Reasons[i];
    saved.*reason.changed = 1;
    SetNumber(saved.*reason.number, std::u16string(64, static_cast<char16_t>(u'1' + i)));
  }
  lib_->SaveCFNumbers(&saved);
  VideoCFInfo loaded = Record();
  lib_->LoadCFNumbers(&loaded);
  for (int i = 0; i < CF_REASON_COUNT; ++i)
    EXPECT_EQ(std::u16string(loaded.*lib_->Reasons[i].number), std::u16string(saved.*lib_->Reasons[i].number));
}

}  // namespace
