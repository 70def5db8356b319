#include <vlmrc/vlmrc.h>

#include <string>
#include <vector>

#include "handset/registry.h"
#include "handset/text.h"
#include "handset/trace.h"
#include "support/record_text.h"
#include "support/vlmrc_test.h"

namespace {

namespace registry = handset::registry;
using testing_support::RecordText;
using testing_support::VlmrcTest;

const std::string kPhone = "HKLM\\Software\\Zarvo\\Phone";
const std::string kPhoneState = "HKLM\\System\\State\\Phone";
const std::string kPhoneExtend = "HKCU\\ControlPanel\\PhoneExtendFunction";

class SingleValueSettingsTest : public VlmrcTest {};

// A getter of one 32-bit value: what it returns for a stored value, for a missing value and for a
// key that cannot be obtained. Every getter is called as a DWORD one (a BOOL is 32 bits too).
typedef DWORD(WINAPI ValueGetter)(void);
struct ValueGetterCase {
  const char16_t* exportName;
  std::string path;
  std::string value;
  std::vector<std::pair<DWORD, DWORD>> storedToResult;
  DWORD missingValue;
  DWORD missingKey;
};

TEST_F(SingleValueSettingsTest, EachValueGetterDecodesByItsRowAndFallsBackByItsDefaults) {
  const std::vector<ValueGetterCase> cases = {
      {u"IsPowerLow", "HKLM\\software\\drivers\\vpd", "DisableCamera", {{1, 1}, {2, 0}, {0, 0}}, 0, 0},
      {u"fnGetBrightnessPos", kPhone, "BrightnessPos",
       {{0, 1}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {9, 5}, {0xFFFFFFFF, 5}}, 2, 2},
      {u"GetMultiLineSettings", kPhone, "SupportMultiLine", {{1, 1}, {2, 0}, {0, 0}}, 1, 0},
      {u"GetPumpkeySettings", kPhone, "SupportPumpkey", {{1, 1}, {2, 0}, {0, 0}}, 1, 0},
      {u"GetCFUSettings", "HKLM\\Drivers\\BuiltIn\\RIL", "CFU_state", {{0, 0}, {7, 7}, {0xFFFFFFFF, 0xFFFFFFFF}}, 0, 0},
      {u"GetIncomingCallLine", "HKLM\\Drivers\\BuiltIn\\RIL", "RingingAddressId", {{2, 2}, {0x12345678, 0x12345678}}, 0, 0},
      {u"GetCallSession", kPhone, "VTCallSession", {{3, 3}, {0xFFFFFFFF, 0xFFFFFFFF}}, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(handset::Utf8(c.exportName));
    auto get = Export<ValueGetter>(c.exportName);
    ASSERT_NE(get, nullptr);
    registry::DeleteKey(c.path);
    EXPECT_EQ(get(), c.missingValue);
    EXPECT_TRUE(registry::KeyExists(c.path));  // create-or-open
    for (auto [stored, expected] : c.storedToResult) {
      registry::WriteDword(c.path, c.value, stored);
      EXPECT_EQ(get(), expected) << "stored " << stored;
    }
    registry::FailKey(c.path);
    EXPECT_EQ(get(), c.missingKey);
    registry::ClearFaults();
  }
}

TEST_F(SingleValueSettingsTest, SettersStoreTheirValueThroughTheirOwnKeyForm) {
  VLMRC_EXPORT(fnSetBrightnessPos)(9);
  EXPECT_EQ(registry::ReadDword(kPhone, "BrightnessPos"), 9u);  // no clamping on write
  VLMRC_EXPORT(SetVideoCallForwardingStatus)(7);
  EXPECT_EQ(registry::ReadDword(kPhone, "callforwarding"), 1u);
  VLMRC_EXPORT(SetVideoCallForwardingStatus)(0);
  EXPECT_EQ(registry::ReadDword(kPhone, "callforwarding"), 0u);
  VLMRC_EXPORT(SetOrientation)(90);
  EXPECT_EQ(registry::ReadDword("HKLM\\Software\\Zarvo\\Camera\\Common", "RotateScreen"), 90u);
  VLMRC_EXPORT(SetCallSession)(0xABCD);
  EXPECT_EQ(VLMRC_EXPORT(GetCallSession)(), 0xABCDu);  // two-step write, one-step read, one value

  handset::trace::Start();
  VLMRC_EXPORT(SetCallSession)(1);
  std::vector<std::string> opened;
  for (const auto& call : handset::trace::Calls("RegCreateKeyExW")) opened.push_back(call.args.at(0));
  EXPECT_EQ(opened, (std::vector<std::string>{"HKLM\\SoftWare\\Zarvo", "HKLM\\SoftWare\\Zarvo\\Phone"}));

  registry::FailKey(kPhone);
  VLMRC_EXPORT(SetCallSession)(2);
  VLMRC_EXPORT(fnSetBrightnessPos)(3);
  registry::ClearFaults();
  EXPECT_EQ(registry::ReadDword(kPhone, "VTCallSession"), 1u);
  EXPECT_EQ(registry::ReadDword(kPhone, "BrightnessPos"), 9u);
}

TEST_F(SingleValueSettingsTest, RecordGettersDefaultPerFieldAndLeaveTheRecordWithoutAKey) {
  PDPSettings pdp{7, 7};
  VLMRC_EXPORT(GetPDPSettings)(&pdp);
  EXPECT_EQ(pdp.CheckConnection, 0);
  EXPECT_EQ(pdp.ShowPDPMsg, 1);
  VideoCFSettings cf{7, 7};
  VLMRC_EXPORT(GetVideoCFSettings)(&cf);
  EXPECT_EQ(cf.SupportCF, 1);
  EXPECT_EQ(cf.QueryVideoCFAsInit, 1);

  registry::WriteDword(kPhone, "CheckConnection", 4);
  registry::WriteDword(kPhone, "ShowPDPMsg", 0);
  registry::WriteDword(kPhone, "SupportCF", 0);
  VLMRC_EXPORT(GetPDPSettings)(&pdp);
  VLMRC_EXPORT(GetVideoCFSettings)(&cf);
  EXPECT_EQ(pdp.CheckConnection, 1);
  EXPECT_EQ(pdp.ShowPDPMsg, 0);
  EXPECT_EQ(cf.SupportCF, 0);
  EXPECT_EQ(cf.QueryVideoCFAsInit, 1);

  registry::FailKey(kPhone);
  pdp = {7, 7};
  cf = {7, 7};
  VLMRC_EXPORT(GetPDPSettings)(&pdp);
  VLMRC_EXPORT(GetVideoCFSettings)(&cf);
  EXPECT_EQ(pdp.CheckConnection, 7);
  EXPECT_EQ(cf.QueryVideoCFAsInit, 7);
}

TEST_F(SingleValueSettingsTest, CsdValueIsReadStrictlyFromAnExistingKeyInFiveAttempts) {
  auto get = VLMRC_EXPORT(GetCSDValue);
  DWORD value = 0;
  handset::trace::Start();
  get(&value);
  EXPECT_EQ(value, 0xFFFFFFFFu);
  EXPECT_EQ(handset::trace::Calls("RegOpenKeyExW").size(), 5u);
  EXPECT_FALSE(registry::KeyExists(kPhoneExtend));

  VLMRC_EXPORT(SetCSDValue)(1);
  EXPECT_EQ(registry::ReadDword(kPhoneExtend, "CSDISDNEnable"), 1u);
  handset::trace::Start();
  get(&value);
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(handset::trace::Calls("RegOpenKeyExW").size(), 1u);

  // A value of the wrong type is read (the attempt succeeds) but not taken.
  registry::WriteString(kPhoneExtend, "CSDISDNEnable", u"1");
  handset::trace::Start();
  get(&value);
  EXPECT_EQ(value, 0xFFFFFFFFu);
  EXPECT_EQ(handset::trace::Calls("RegOpenKeyExW").size(), 1u);

  // A missing value fails every attempt.
  registry::DeleteValue(kPhoneExtend, "CSDISDNEnable");
  handset::trace::Start();
  get(&value);
  EXPECT_EQ(value, 0xFFFFFFFFu);
  EXPECT_EQ(handset::trace::Calls("RegQueryValueExW").size(), 5u);
  EXPECT_EQ(handset::trace::Calls("RegCloseKey").size(), 5u);
}

TEST_F(SingleValueSettingsTest, SimReadinessFollowsTheStatusMask) {
  auto sim = VLMRC_EXPORT(GetSimStatus);
  EXPECT_EQ(sim(), 0);  // no status value
  for (DWORD status : {0x00000040u, 0x0u, 0x00000001u, 0x00100000u}) {
    registry::WriteDword(kPhoneState, "status", status);
    EXPECT_EQ(sim(), 1) << status;
  }
  for (DWORD status : {0x00000002u, 0x00000004u, 0x00000010u, 0x00200000u, 0x00200056u}) {
    registry::WriteDword(kPhoneState, "status", status);
    EXPECT_EQ(sim(), 0) << status;
  }
  registry::FailKey(kPhoneState);
  EXPECT_EQ(sim(), 0);
}

TEST_F(SingleValueSettingsTest, ForwardingStatusNeedsAReadySimFirst) {
  auto status = VLMRC_EXPORT(GetVideoCallForwardingStatus);
  registry::WriteDword(kPhoneState, "status", 0x00000010);
  registry::WriteDword(kPhone, "callforwarding", 5);
  DWORD simReady = 7;
  handset::trace::Start();
  EXPECT_EQ(status(&simReady), 0);
  EXPECT_EQ(simReady, 0u);
  for (const auto& call : handset::trace::Calls("RegCreateKeyExW"))
    EXPECT_EQ(call.args.at(0).find("Zarvo"), std::string::npos);  // "SoftWare\Zarvo" untouched

  registry::WriteDword(kPhoneState, "status", 0x00000040);
  EXPECT_EQ(status(&simReady), 1);
  EXPECT_EQ(simReady, 1u);
  registry::WriteDword(kPhone, "callforwarding", 0);
  EXPECT_EQ(status(&simReady), 0);
  EXPECT_EQ(simReady, 1u);
  EXPECT_EQ(status(nullptr), 0);  // a null output is tolerated

  registry::FailKey(kPhoneState);
  simReady = 7;
  EXPECT_EQ(status(&simReady), 0);
  EXPECT_EQ(simReady, 7u);  // not written when the status key is unavailable
}

TEST_F(SingleValueSettingsTest, Line2RingtoneFollowsTheStringRule) {
  auto get = VLMRC_EXPORT(GetLine2Ringtone);
  WCHAR buffer[MAX_PATH];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  get(buffer);
  EXPECT_EQ(RecordText(buffer), u"");

  registry::WriteString(kPhone, "MultiLine2Ringtone", std::u16string(258, u'r'));
  get(buffer);
  EXPECT_EQ(RecordText(buffer), std::u16string(258, u'r'));
  registry::WriteString(kPhone, "MultiLine2Ringtone", std::u16string(259, u'r'));
  get(buffer);
  EXPECT_EQ(RecordText(buffer), u"");

  registry::FailKey(kPhone);
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  get(buffer);
  EXPECT_EQ(buffer[0], u'#');
}

TEST_F(SingleValueSettingsTest, NullPointersFromTheHostAreIgnored) {
  auto pdp = VLMRC_EXPORT(GetPDPSettings);
  auto cf = VLMRC_EXPORT(GetVideoCFSettings);
  auto csd = VLMRC_EXPORT(GetCSDValue);
  auto ringtone = VLMRC_EXPORT(GetLine2Ringtone);
  handset::trace::Start();
  pdp(nullptr);
  cf(nullptr);
  csd(nullptr);
  ringtone(nullptr);
  EXPECT_TRUE(handset::trace::Calls().empty());
}

}  // namespace
