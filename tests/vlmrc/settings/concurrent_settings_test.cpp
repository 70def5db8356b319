#include <vlmrc/vlmrc.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "support/vlmrc_test.h"

namespace {

using testing_support::VlmrcTest;

VTOptSetting Record(DWORD flag, DWORD selection, const std::u16string& picture) {
  VTOptSetting record{};
  record.bShowCallTime = record.bShowPhoneNum_Name = record.bMirrorCamera = flag;
  record.bAcceptVideoCallMuteVideo = record.bMakeVideoCallMuteVideo = flag;
  record.MuteVideo = record.ViewMode = selection;
  std::char_traits<char16_t>::copy(record.PicFileName, picture.c_str(), picture.size() + 1);
  return record;
}

class ConcurrentSettingsTest : public VlmrcTest {};

TEST_F(ConcurrentSettingsTest, ReadersSeeEachFieldWhole) {
  auto get = VLMRC_EXPORT(GetVTOptSetting);
  auto set = VLMRC_EXPORT(SetVTOptSetting);
  auto brightness = VLMRC_EXPORT(fnGetBrightnessPos);
  auto setBrightness = VLMRC_EXPORT(fnSetBrightnessPos);
  const std::u16string pictureA(200, u'a');
  const std::u16string pictureB = u"\\b.jpg";
  const VTOptSetting a = Record(0, 0x11111111, pictureA);
  const VTOptSetting b = Record(1, 0x22222222, pictureB);
  set(&a);

  std::atomic<bool> stop{false};
  std::atomic<int> torn{0};
  std::atomic<int> reads{0};
  std::vector<std::thread> readers;
  for (int i = 0; i < 3; ++i) {
    readers.emplace_back([&] {
      while (!stop) {
        VTOptSetting seen{};
        get(&seen);
        std::u16string picture(seen.PicFileName);
        bool whole = (seen.MuteVideo == 0x11111111 || seen.MuteVideo == 0x22222222) &&
                     (seen.ViewMode == 0x11111111 || seen.ViewMode == 0x22222222) && seen.bMirrorCamera <= 1 &&
                     (picture == pictureA || picture == pictureB);
        DWORD position = brightness();
        if (!whole || position < 1 || position > 5) ++torn;
        ++reads;
      }
    });
  }
  // The writes overlap the reads however the threads are scheduled: they start once the readers
  // read, and go on until the readers have read a few hundred times.
  while (reads == 0) std::this_thread::yield();
  for (int i = 0; i < 300 || reads < 300; ++i) {
    set(i % 2 ? &a : &b);
    setBrightness(i % 7);
  }
  stop = true;
  for (auto& reader : readers) reader.join();
  EXPECT_EQ(torn, 0);
}

}  // namespace
