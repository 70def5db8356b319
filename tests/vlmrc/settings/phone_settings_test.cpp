#include <vlmrc/vlmrc.h>

#include <cstring>
#include <string>

#include "handset/registry.h"
#include "support/record_text.h"
#include "support/vlmrc_test.h"

namespace {

namespace registry = handset::registry;
using testing_support::RecordText;
using testing_support::VlmrcTest;

const std::string kPhone = "HKLM\\Software\\Zarvo\\Phone";
const std::string kDirectShow = "HKLM\\Software\\Zarvo\\DirectShow";
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
  EXPECT_EQ(RecordText(record.PartnerMaleIconPath), kMale);
  EXPECT_EQ(RecordText(record.PartnerFemaleIconPath), kFemale);
  EXPECT_EQ(RecordText(record.WaitingTone), u"");
  EXPECT_EQ(record.ColorKey, 0u);
  EXPECT_EQ(record.bShowHideAccum, 0);
  EXPECT_EQ(record.SetConferenceInvalidate, 0);
  EXPECT_EQ(record.bSupport3rdCall, 0);
  EXPECT_EQ(record.CallWaitingMsg, 1u);
  EXPECT_TRUE(registry::KeyExists(kPhone));
  EXPECT_TRUE(registry::KeyExists(kDirectShow));
}

TEST_F(PhoneSettingsTest, EachFieldDecodesByItsOwnRule) {
  registry::WriteDword(kPhone, "SetConferenceInvalidate", 2);
  registry::WriteDword(kPhone, "bSupport3rdCall", 2);
  registry::WriteDword(kPhone, "bShowHideAccum", 0x80000000u);
  registry::WriteDword(kPhone, "CallWaitingMsg", 0);
  registry::WriteDword(kDirectShow, "ColorKey", 0x00FF00FF);
  registry::WriteString(kPhone, "WaitingTone", u"\\Windows\\wait.wav");
  PhoneSettings record = MarkedRecord();
  get_(&record);
  EXPECT_EQ(record.SetConferenceInvalidate, 0);  // only an exact 1 counts
  EXPECT_EQ(record.bSupport3rdCall, 1);
  EXPECT_EQ(record.bShowHideAccum, 1);
  EXPECT_EQ(record.CallWaitingMsg, 0u);  // the default applies only to a failed read
  EXPECT_EQ(record.ColorKey, 0x00FF00FFu);
  EXPECT_EQ(RecordText(record.WaitingTone), u"\\Windows\\wait.wav");

  registry::WriteDword(kPhone, "SetConferenceInvalidate", 1);
  get_(&record);
  EXPECT_EQ(record.SetConferenceInvalidate, 1);
}

TEST_F(PhoneSettingsTest, TooLongPathsFallBackToTheirDefaults) {
  std::u16string fits(258, u'm');
  registry::WriteString(kPhone, "PartnerMaleIconPath", fits);
  registry::WriteString(kPhone, "PartnerFemaleIconPath", std::u16string(259, u'f'));
  registry::WriteString(kPhone, "WaitingTone", std::u16string(1000, u'w'));
  PhoneSettings record = MarkedRecord();
  get_(&record);
  EXPECT_EQ(RecordText(record.PartnerMaleIconPath), fits);
  EXPECT_EQ(RecordText(record.PartnerFemaleIconPath), kFemale);
  EXPECT_EQ(RecordText(record.WaitingTone), u"");
}

TEST_F(PhoneSettingsTest, UnavailableKeysLeaveTheirFieldsAsTheCallerHadThem) {
  registry::WriteDword(kDirectShow, "ColorKey", 7);
  registry::FailKey(kPhone);
  PhoneSettings record = MarkedRecord();
  const PhoneSettings marker = record;
  get_(&record);
  EXPECT_EQ(record.ColorKey, 7u);
  record.ColorKey = marker.ColorKey;
  EXPECT_EQ(std::memcmp(&record, &marker, sizeof(record)), 0);

  registry::ClearFaults();
  registry::FailKey(kDirectShow);
  record = marker;
  get_(&record);
  EXPECT_EQ(record.ColorKey, marker.ColorKey);
  EXPECT_EQ(RecordText(record.PartnerMaleIconPath), kMale);

  registry::FailKey("HKLM\\SoftWare\\Zarvo");
  record = marker;
  get_(&record);
  EXPECT_EQ(std::memcmp(&record, &marker, sizeof(record)), 0);
}

TEST_F(PhoneSettingsTest, UnreadableValueTakesItsDefaultAndTheRestAreStillRead) {
  registry::WriteDword(kPhone, "CallWaitingMsg", 5);
  registry::WriteDword(kPhone, "bSupport3rdCall", 1);
  registry::FailValue(kPhone, "CallWaitingMsg");
  PhoneSettings record = MarkedRecord();
  get_(&record);
  EXPECT_EQ(record.CallWaitingMsg, 1u);
  EXPECT_EQ(record.bSupport3rdCall, 1);
}

}  // namespace
