#include <vlmrc/vlmrc.h>

#include <cstring>
#include <memory>
#include <string>

#include "handset/registry.h"
#include "handset/trace.h"
#include "support/record_text.h"
#include "support/vlmrc_test.h"
#include "support/worker_window.h"

namespace {

namespace registry = handset::registry;
using testing_support::RecordText;
using testing_support::VlmrcTest;

const std::string kPhone = "HKLM\\Software\\Zarvo\\Phone";
const std::string kRotation = "HKLM\\System\\GDI\\Rotation";

VTOptSetting MarkedRecord() {
  VTOptSetting record;
  std::memset(&record, 0x5A, sizeof(record));
  record.PicFileName[MAX_PATH - 1] = 0;
  return record;
}

// The stored text of a REG_SZ value with all its units, terminator included.
std::u16string StoredString(const char* name) {
  auto value = registry::Read(kPhone, name);
  if (!value || value->type != REG_SZ) return u"<not a string>";
  std::u16string text(value->data.size() / 2, u'\0');
  std::memcpy(text.data(), value->data.data(), text.size() * 2);
  return text;
}

class VtOptionSettingsTest : public VlmrcTest {
 protected:
  void SetUp() override {
    VlmrcTest::SetUp();
    get_ = VLMRC_EXPORT(GetVTOptSetting);
    set_ = VLMRC_EXPORT(SetVTOptSetting);
  }
  decltype(::GetVTOptSetting)* get_ = nullptr;
  decltype(::SetVTOptSetting)* set_ = nullptr;
};

TEST_F(VtOptionSettingsTest, EmptyRegistryGivesTheDefaultsAndCreatesTheKeys) {
  registry::WriteDword(kRotation, "Angle", 90);
  VTOptSetting record = MarkedRecord();
  get_(&record);
  EXPECT_EQ(record.bShowCallTime, 0);
  EXPECT_EQ(record.bShowPhoneNum_Name, 0);
  EXPECT_EQ(record.bMirrorCamera, 1);
  EXPECT_EQ(record.bAcceptVideoCallMuteVideo, 1);
  EXPECT_EQ(record.bMakeVideoCallMuteVideo, 1);
  EXPECT_EQ(record.MuteVideo, 0u);
  EXPECT_EQ(record.ViewMode, 0u);
  EXPECT_EQ(RecordText(record.PicFileName), u"");
  EXPECT_EQ(record.Angle, 90u);
  EXPECT_TRUE(registry::KeyExists("HKLM\\SOFTWARE\\zarvo\\PHONE"));
}

TEST_F(VtOptionSettingsTest, FlagsAreNormalisedAndSelectionsReturnedRaw) {
  registry::WriteDword(kPhone, "bShowCallTime", 7);
  registry::WriteDword(kPhone, "bMirrorCamera", 0);
  registry::WriteDword(kPhone, "MuteVideo", 7);
  registry::WriteDword(kPhone, "ViewMode", 0xFFFFFFFF);
  // An 8-byte value cannot be read into 4 bytes and takes the default; a 4-byte binary value is
  // read, as the simple read does not look at the type.
  registry::Write(kPhone, "bShowPhoneNum_Name", REG_BINARY, std::vector<uint8_t>{1, 0, 0, 0, 0, 0, 0, 0});
  registry::Write(kPhone, "bMakeVideoCallMuteVideo", REG_BINARY, std::vector<uint8_t>{0, 0, 0, 0});
  VTOptSetting record = MarkedRecord();
  get_(&record);
  EXPECT_EQ(record.bShowCallTime, 1);
  EXPECT_EQ(record.bMirrorCamera, 0);
  EXPECT_EQ(record.MuteVideo, 7u);
  EXPECT_EQ(record.ViewMode, 0xFFFFFFFFu);
  EXPECT_EQ(record.bShowPhoneNum_Name, 0);
  EXPECT_EQ(record.bMakeVideoCallMuteVideo, 0);
  EXPECT_EQ(record.bAcceptVideoCallMuteVideo, 1);
}

TEST_F(VtOptionSettingsTest, StoreKeepsTheCallersValuesAndNeverWritesTheAngle) {
  VTOptSetting record{};
  record.bShowCallTime = 1;
  record.bMirrorCamera = 5;
  record.MuteVideo = 2;
  record.ViewMode = 3;
  record.Angle = 270;
  std::u16string path = u"\\My Documents\\me.jpg";
  std::memcpy(record.PicFileName, path.c_str(), (path.size() + 1) * 2);
  set_(&record);

  EXPECT_EQ(registry::Read(kPhone, "bMirrorCamera")->data, (std::vector<uint8_t>{5, 0, 0, 0}));
  auto pic = registry::Read(kPhone, "PicFileName");
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(pic->data.size(), (path.size() + 1) * 2);
  EXPECT_FALSE(registry::Read(kPhone, "Angle"));
  EXPECT_FALSE(registry::KeyExists(kRotation));

  VTOptSetting back = MarkedRecord();
  get_(&back);
  EXPECT_EQ(back.bShowCallTime, 1);
  EXPECT_EQ(back.bMirrorCamera, 1);
  EXPECT_EQ(back.MuteVideo, 2u);
  EXPECT_EQ(back.ViewMode, 3u);
  EXPECT_EQ(RecordText(back.PicFileName), path);
}

TEST_F(VtOptionSettingsTest, PictureNamesUpTo258CharactersRoundTripLongerOnesReadAsEmpty) {
  VTOptSetting record{};
  std::u16string fits(258, u'f');
  std::memcpy(record.PicFileName, fits.c_str(), (fits.size() + 1) * 2);
  set_(&record);
  VTOptSetting back = MarkedRecord();
  get_(&back);
  EXPECT_EQ(RecordText(back.PicFileName), fits);

  std::u16string tooLong(259, u'l');
  std::memcpy(record.PicFileName, tooLong.c_str(), (tooLong.size() + 1) * 2);
  set_(&record);
  EXPECT_EQ(StoredString("PicFileName"), tooLong + u'\0');  // stored in full
  get_(&back);
  EXPECT_EQ(RecordText(back.PicFileName), u"");
}

TEST_F(VtOptionSettingsTest, UnterminatedPictureNameIsStoredCutWithoutReadingPastTheField) {
  // The record ends right after its last field, so reading on past PicFileName and Angle would
  // leave the allocation.
  auto record = std::make_unique<VTOptSetting>();
  for (auto& unit : record->PicFileName) unit = u'x';
  record->Angle = 0x00780078;  // would read as more 'x' characters
  set_(record.get());
  EXPECT_EQ(StoredString("PicFileName"), std::u16string(MAX_PATH - 1, u'x') + u'\0');
}

TEST_F(VtOptionSettingsTest, AngleFollowsTheRotationKeyWhichIsNeverCreated) {
  VTOptSetting record = MarkedRecord();
  DWORD marker = record.Angle;
  get_(&record);
  EXPECT_EQ(record.Angle, marker);
  EXPECT_FALSE(registry::KeyExists(kRotation));

  registry::WriteDword(kRotation, "Other", 1);  // key present, "Angle" missing
  get_(&record);
  EXPECT_EQ(record.Angle, 0u);
}

TEST_F(VtOptionSettingsTest, UnavailableOuterKeyLeavesTheRecordAndRegistryAlone) {
  registry::WriteDword(kRotation, "Angle", 180);
  registry::FailKey("HKLM\\SoftWare\\Zarvo");
  VTOptSetting record = MarkedRecord();
  VTOptSetting before = record;
  get_(&record);
  EXPECT_EQ(std::memcmp(&record, &before, sizeof(record)), 0);

  record = VTOptSetting{};
  set_(&record);
  EXPECT_FALSE(registry::KeyExists(kPhone));
}

TEST_F(VtOptionSettingsTest, UnavailableInnerKeyStillReadsTheAngleButStoresNothing) {
  registry::WriteDword(kRotation, "Angle", 180);
  registry::FailKey(kPhone);
  VTOptSetting record = MarkedRecord();
  VTOptSetting before = record;
  get_(&record);
  EXPECT_EQ(std::memcmp(&record, &before, offsetof(VTOptSetting, Angle)), 0);
  EXPECT_EQ(record.Angle, 180u);

  handset::trace::Start();
  set_(&before);
  EXPECT_TRUE(handset::trace::Calls("RegSetValueExW").empty());
  EXPECT_TRUE(handset::trace::Calls("FindWindowW").empty());
  auto closes = handset::trace::Calls("RegCloseKey");
  ASSERT_EQ(closes.size(), 1u);
  EXPECT_EQ(closes[0].args.at(0), "HKLM\\SoftWare\\Zarvo");
}

TEST_F(VtOptionSettingsTest, ReadsInOrderAndClosesInnerKeysBeforeTheOuterOne) {
  registry::WriteDword(kRotation, "Angle", 90);
  handset::trace::Start();
  VTOptSetting record{};
  get_(&record);
  std::vector<std::string> sequence;
  for (const auto& call : handset::trace::Calls()) {
    if (call.function == "RegQueryValueExW") sequence.push_back(call.args.at(1));
    if (call.function == "RegCloseKey") sequence.push_back("close " + call.args.at(0));
    if (call.function == "RegCreateKeyExW" || call.function == "RegOpenKeyExW")
      sequence.push_back(call.function + " " + call.args.at(0));
  }
  EXPECT_EQ(sequence, (std::vector<std::string>{
                          "RegCreateKeyExW HKLM\\SoftWare\\Zarvo", "RegCreateKeyExW HKLM\\SoftWare\\Zarvo\\Phone",
                          "bShowCallTime", "bShowPhoneNum_Name", "bMirrorCamera", "bAcceptVideoCallMuteVideo",
                          "bMakeVideoCallMuteVideo", "MuteVideo", "ViewMode", "PicFileName",
                          "close HKLM\\SoftWare\\Zarvo\\Phone", "RegOpenKeyExW HKLM\\System\\GDI\\Rotation", "Angle",
                          "close HKLM\\System\\GDI\\Rotation", "close HKLM\\SoftWare\\Zarvo"}));
}

// The host's worker window, counting the change notifications it receives.
int g_notifications = 0;
LRESULT CALLBACK WorkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_VTOPT_CHANGED && wParam == 0 && lParam == 0) ++g_notifications;
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(VtOptionSettingsTest, TheWorkerWindowIsNotifiedOnceAfterBothKeysAreClosed) {
  HWND worker = testing_support::CreateWorkerWindow(WorkerProc);
  ASSERT_NE(worker, nullptr);
  g_notifications = 0;
  handset::trace::Start();
  VTOptSetting record{};
  set_(&record);
  EXPECT_EQ(g_notifications, 1);

  std::vector<std::string> tail;
  for (const auto& call : handset::trace::Calls())
    if (call.function == "RegCloseKey" || call.function == "FindWindowW" || call.function == "SendMessageW")
      tail.push_back(call.function + (call.function == "RegCloseKey" ? " " + call.args.at(0) : ""));
  EXPECT_EQ(tail, (std::vector<std::string>{"RegCloseKey HKLM\\SoftWare\\Zarvo\\Phone",
                                            "RegCloseKey HKLM\\SoftWare\\Zarvo", "FindWindowW", "SendMessageW"}));
  DestroyWindow(worker);

  // Without a worker window everything is still stored.
  record.ViewMode = 4;
  set_(&record);
  EXPECT_EQ(registry::Read(kPhone, "ViewMode")->data, (std::vector<uint8_t>{4, 0, 0, 0}));
  EXPECT_EQ(g_notifications, 1);
}

TEST_F(VtOptionSettingsTest, NullRecordsAreIgnored) {
  handset::trace::Start();
  get_(nullptr);
  set_(nullptr);
  EXPECT_TRUE(handset::trace::Calls().empty());
}

}  // namespace
