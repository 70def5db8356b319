// The soft-key bar of SHCreateMenuBar driven by the scripted user, SHInitDialog, and the picture
// picker: what it lists, picking and cancelling, and a path that does not fit the caller's buffer.
#include <aygshell.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dialogs/dialog_test_support.h"
#include "handset/handset.h"
#include "handset/input.h"
#include "handset/shell.h"
#include "handset/user.h"
#include "loader/loader_fixture.h"

namespace {

namespace user = handset::user;

class SoftKeyBarTest : public loader_testing::ResmodTest {};

TEST_F(SoftKeyBarTest, KeysShowTheMenuAndSendTheirCommandsToTheParent) {
  std::vector<std::u16string> labels;
  std::vector<WPARAM> commands;
  std::string secondKeyFailure;
  dialog_test::AlignedTemplate t(dialog_test::SampleTemplate());
  dialog_test::g_hook = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_INITDIALOG) {
      SHINITDLGINFO init{SHIDIM_FLAGS, dialog, SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_DONEBUTTON};
      EXPECT_TRUE(SHInitDialog(&init));
      SHMENUBARINFO bar{};
      bar.cbSize = sizeof bar;
      bar.hwndParent = dialog;
      bar.dwFlags = SHCMBF_HMENU;
      bar.nToolBarId = 2604;
      bar.hInstRes = module_;
      EXPECT_TRUE(SHCreateMenuBar(&bar));
      EXPECT_NE(bar.hwndMB, nullptr);
      RECT placed;
      GetWindowRect(dialog, &placed);
      EXPECT_EQ(placed.right, 240) << "full screen";
      EXPECT_EQ(placed.bottom, 320 - GetSystemMetrics(SM_CYCAPTION)) << "ending above the bar";
      return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == 2200) {
      commands.push_back(LOWORD(wParam));
      EndDialog(dialog, 2200);
      return TRUE;
    }
    return std::nullopt;
  };
  user::SetScript({user::Run("read", [&] { labels = handset::shell::SoftKeyLabels(); }), user::SoftKey(1)});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, dialog_test::HookedDialogProc, 0), 2200);
  EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
  EXPECT_EQ(labels, (std::vector<std::u16string>{u"Done", u"Menu"}));
  EXPECT_EQ(commands, std::vector<WPARAM>{2200});
  EXPECT_TRUE(handset::shell::SoftKeyLabels().empty()) << "the bar went with its dialog";

  // The device's left soft key (VK_F1) presses the bar's left key.
  commands.clear();
  user::SetScript({user::Run("press the left soft key", [] { handset::input::Key(VK_F1); }),
                   user::Wait(std::chrono::milliseconds(1000))});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, dialog_test::HookedDialogProc, 0), 2200);
  EXPECT_EQ(commands, std::vector<WPARAM>{2200});

  user::SetScript({user::SoftKey(2)});
  DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, dialog_test::HookedDialogProc, 0);
  ASSERT_EQ(user::Failures().size(), 1u);
  EXPECT_NE(user::Failures()[0].message.find("opens a menu"), std::string::npos) << user::Failures()[0].message;
}

TEST_F(SoftKeyBarTest, RefusesABadRecordOrAMissingMenu) {
  HWND window = CreateWindowExW(0, u"static", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SHMENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  bar.hwndParent = window;
  bar.dwFlags = SHCMBF_HMENU;
  bar.nToolBarId = 9999;
  bar.hInstRes = module_;
  EXPECT_FALSE(SHCreateMenuBar(&bar));
  bar.cbSize = 3;
  bar.nToolBarId = 2604;
  EXPECT_FALSE(SHCreateMenuBar(&bar));
  SHINITDLGINFO init{0, window, SHIDIF_DONEBUTTON};
  EXPECT_FALSE(SHInitDialog(&init)) << "no SHIDIM_FLAGS";
  EXPECT_FALSE(SHInitDialog(nullptr));
  DestroyWindow(window);
}

class PickerTest : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    auto folder = handset::HostPath(u"\\My Documents");
    std::filesystem::create_directories(folder / "Trips");
    for (const char* name : {"b.jpg", "a.PNG", "notes.txt", "Trips/sea.bmp"}) std::ofstream(folder / name) << "x";
    info_.lStructSize = sizeof info_;
    info_.lpstrFile = file_;
    info_.nMaxFile = MAX_PATH;
    info_.lpstrFileTitle = title_;
    info_.nMaxFileTitle = 4;
    info_.Flags = OFN_FILEMUSTEXIST;
    info_.ExFlags = OFN_EXFLAG_THUMBNAILVIEW;
  }
  OPENFILENAMEEX info_{};
  WCHAR file_[MAX_PATH] = u"";
  WCHAR title_[4] = u"";
};

TEST_F(PickerTest, ListsThePicturesAndHandsBackTheOnePicked) {
  std::vector<std::u16string> entries;
  user::SetScript({user::Run("list", [&] { entries = handset::shell::PickerEntries(); }), user::Pick(u"SEA.bmp")});
  EXPECT_TRUE(GetOpenFileNameEx(&info_));
  EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
  EXPECT_EQ(entries, (std::vector<std::u16string>{u"\\My Documents\\a.PNG", u"\\My Documents\\b.jpg",
                                                  u"\\My Documents\\Trips\\sea.bmp"}));
  EXPECT_EQ(std::u16string(file_), u"\\My Documents\\Trips\\sea.bmp");
  EXPECT_EQ(info_.nFileOffset, 20);
  EXPECT_EQ(std::u16string(title_), u"sea") << "the title cut to its buffer";
}

TEST_F(PickerTest, CancelAndAPathTooLongAnswerZeroWithoutWritingPastTheBuffer) {
  user::SetScript({user::CancelPicker()});
  EXPECT_FALSE(GetOpenFileNameEx(&info_));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(std::u16string(file_), u"");

  WCHAR small[8];
  std::fill(std::begin(small), std::end(small), u'#');
  info_.lpstrFile = small;
  info_.nMaxFile = 4;
  user::SetScript({user::Pick(u"b.jpg")});
  EXPECT_FALSE(GetOpenFileNameEx(&info_));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::u16string(small, 8), u"########");

  user::SetScript({user::Pick(u"notes.txt")});
  info_.lpstrFile = file_;
  info_.nMaxFile = MAX_PATH;
  EXPECT_FALSE(GetOpenFileNameEx(&info_));
  ASSERT_EQ(user::Failures().size(), 1u);
  EXPECT_NE(user::Failures()[0].message.find("no picture \"notes.txt\""), std::string::npos) << user::Failures()[0].message;
  info_.lStructSize = 1;
  EXPECT_FALSE(GetOpenFileNameEx(&info_));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
