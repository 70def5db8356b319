#include <vlmrc/vlmrc.h>

#include <cstring>
#include <string>

#include "handset/registry.h"
#include "support/vlmrc_test.h"

namespace {

namespace registry = handset::registry;
using testing_support::VlmrcTest;

const std::u16string kPhone = u"Software\\Zarvo\\Phone";
const std::u16string kDirectShow = u"Software\\Zarvo\\DirectShow";
const std::u16string kMale = u"\\windows\\predefined_image_male.png";
const std::u16string kFemale = u"\\windows\\predefined_image_female.png";

PhoneSettings MarkedRecord() {
  PhoneSettings record;
  std::memset(&record, 0x5A, sizeof(record));
  return record;
}

class PhoneSettingsTest : public VlmrcTest {
 protected:
  void SetUp() override {
    VlmrcTest::SetUp();
    get_ = VLMRC_EXPORT(GetPhoneSettings);
  }
  decltype(::GetPhoneSettings)* get_ = nullptr;
};

TEST_F(PhoneSettingsTest, EmptyRegistryGivesTheDefaultsAndCreatesBothSubkeys) {
  PhoneSettings record = MarkedRecord();
  get_(&record);
  EXPECT_EQ(std::u16string(record.PartnerMaleIconPath), kMale);
  EXPECT_EQ(std::u16string(record.PartnerFemaleIconPath), kFemale);
  EXPECT_EQ(std::u16string(record.WaitingTone), u"");
  EXPECT_EQ(record.ColorKey, 0u);
  EXPECT_EQ(record.bShowHideAccum, 0);
  EXPECT_EQ(record.SetConferenceInvalidate, 0);
  EXPECT_EQ(record.bSupport3rdCall, 0);
  EXPECT_EQ(record.CallWaitingMsg, 1u);
  EXPECT_TRUE(registry::KeyExists(HKEY_LOCAL_MACHINE, kPhone));
  EXPECT_TRUE(registry::KeyExists(HKEY_LOCAL_MACHINE, kDirectShow));
}

TEST_F(PhoneSettingsTest, EachFieldDecodesByItsOwnRule) {
  registry::WriteDword(HKEY_LOCAL_MACHINE, kPhone, u"SetConferenceInvalidate", 2);
  registry::WriteDword(HKEY_LOCAL_MACHINE, kPhone, u"bSupport3rdCall", 2);
  registry::WriteDword(HKEY_LOCAL_MACHINE, kPhone, u"bShowHideAccum", 0x80000000u);
  registry::WriteDword(HKEY_LOCAL_MACHINE, kPhone, u"CallWaitingMsg", 0);
  registry::WriteDword(HKEY_LOCAL_MACHINE, kDirectShow, u"ColorKey", 0x00FF00FF);
  registry::WriteString(HKEY_LOCAL_MACHINE, kPhone, u"WaitingTone", u"\\Windows\\wait.wav");
  PhoneSettings record = MarkedRecord();
  get_(&record);
  EXPECT_EQ(record.SetConferenceInvalidate, 0);  // only an exact 1 counts
  EXPECT_EQ(record.bSupport3rdCall, 1);
  EXPECT_EQ(record.bShowHideAccum, 1);
  EXPECT_EQ(record.CallWaitingMsg, 0u);  // the default applies only to a failed read
  EXPECT_EQ(record.ColorKey, 0x00FF00FFu);
  EXPECT_EQ(std::u16string(record.WaitingTone), u"\\Windows\\wait.wav");

  registry::WriteDword(HKEY_LOCAL_MACHINE, kPhone, u"SetConferenceInvalidate", 1);
  get_(&record);
  EXPECT_EQ(record.SetConferenceInvalidate, 1);
}

TEST_F(PhoneSettingsTest, TooLongPathsFallBackToTheirDefaults) {
  std::u16string fits(258, u'm');
  registry::WriteString(HKEY_LOCAL_MACHINE, kPhone, u"PartnerMaleIconPath", fits);
  registry::WriteString(HKEY_LOCAL_MACHINE, kPhone, u"PartnerFemaleIconPath", std::u16string(259, u'f'));
  registry::WriteString(HKEY_LOCAL_MACHINE, kPhone, u"WaitingTone", std::u16string(1000, u'w'));
  PhoneSettings record = MarkedRecord();
  get_(&record);
  EXPECT_EQ(std::u16string(record.PartnerMaleIconPath), fits);
  EXPECT_EQ(std::u16string(record.PartnerFemaleIconPath), kFemale);
  EXPECT_EQ(std::u16string(record.WaitingTone), u"");
}

TEST_F(PhoneSettingsTest, UnavailableKeysLeaveTheirFieldsAsTheCallerHadThem) {
  registry::WriteDword(HKEY_LOCAL_MACHINE, kDirectShow, u"ColorKey", 7);
  registry::FailKey(HKEY_LOCAL_MACHINE, kPhone);
  PhoneSettings record = MarkedRecord();
  const PhoneSettings marker = record;
  get_(&record);
  EXPECT_EQ(record.ColorKey, 7u);
  record.ColorKey = marker.ColorKey;
  EXPECT_EQ(std::memcmp(&record, &marker, sizeof(record)), 0);

  registry::ClearFaults();
  registry::FailKey(HKEY_LOCAL_MACHINE, kDirectShow);
  record = marker;
  get_(&record);
  EXPECT_EQ(record.ColorKey, marker.ColorKey);
  EXPECT_EQ(std::u16string(record.PartnerMaleIconPath), kMale);

  registry::FailKey(HKEY_LOCAL_MACHINE, u"SoftWare\\Zarvo");
  record = marker;
  get_(&record);
  EXPECT_EQ(std::memcmp(&record, &marker, sizeof(record)), 0);
}

TEST_F(PhoneSettingsTest, UnreadableValueTakesItsDefaultAndTheRestAreStillRead) {
  registry::WriteDword(HKEY_LOCAL_MACHINE, kPhone, u"CallWaitingMsg", 5);
  registry::WriteDword(HKEY_LOCAL_MACHINE, kPhone, u"bSupport3rdCall", 1);
  registry::MakeValueUnreadable(HKEY_LOCAL_MACHINE, kPhone, u"CallWaitingMsg");
  PhoneSettings record = MarkedRecord();
  get_(&record);
  EXPECT_EQ(record.CallWaitingMsg, 1u);
  EXPECT_EQ(record.bSupport3rdCall, 1);
}

}  // namespace
