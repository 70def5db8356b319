// The combo box's geometry as Win32 keeps it (the window as high as its field, the height it was
// made or moved with given to field and list together), its item heights and dropped width,
// GetComboBoxInfo, and the order of what a choice tells the parent against its text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/dialog_test_support.h"

#include <windows.h>

namespace {

class ComboBoxTest : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    dialog = CreateDialogIndirectParamW(nullptr, sample.Get(), nullptr, dialog_test::HookedDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
  }
  HWND Combo(DWORD style, int height = 100) {
    HWND combo = CreateWindowExW(0, u"combobox", nullptr, WS_CHILD | WS_VISIBLE | style, 10, 20, 80, height, dialog,
                                 reinterpret_cast<HMENU>(700), nullptr, nullptr);
    for (auto s : {u"Off", u"On", u"Auto"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    return combo;
  }
  static int Height(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
  }
  static int DroppedHeight(HWND combo) {
    RECT rect{};
    EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rect)));
    return rect.bottom - rect.top;
  }
  dialog_test::AlignedTemplate sample{dialog_test::SampleTemplate()};
  HWND dialog = nullptr;
};

TEST_F(ComboBoxTest, TheWindowIsAsHighAsItsFieldAndTheMadeHeightIsTheDroppedOne) {
  struct Case {
    DWORD style;
    int height;
  } cases[] = {{CBS_DROPDOWNLIST, 100}, {CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT, 100}, {CBS_DROPDOWN, 57}};
  for (const auto& c : cases) {
    HWND combo = Combo(c.style, c.height);
    int field = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) + 6;
    int item = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(Height(combo), field) << c.style;
    int list = c.height - field;
    if (!(c.style & CBS_NOINTEGRALHEIGHT)) list = list / item * item;
    EXPECT_EQ(DroppedHeight(combo), field + list) << c.style;

    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_EQ(Height(combo), field + list) << "the list shows below the field";
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(Height(combo), field);

    // A height given later is again that of field and list together.
    MoveWindow(combo, 10, 20, 80, field + 3 * item, TRUE);
    EXPECT_EQ(Height(combo), field);
    EXPECT_EQ(DroppedHeight(combo), field + 3 * item);
    DestroyWindow(combo);
  }
}

TEST_F(ComboBoxTest, ItemHeightsAndTheDroppedWidthAsTheMessagesSetThem) {
  HWND combo = Combo(CBS_DROPDOWNLIST);
  struct Step {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT expected;
  } steps[] = {
      {CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 20, CB_OKAY},
      {CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0, 20},
      {CB_SETITEMHEIGHT, 0, 15, CB_OKAY},
      {CB_GETITEMHEIGHT, 0, 0, 15},
      {CB_SETITEMHEIGHT, 2, 15, CB_ERR},  // no owner-drawn items of their own height on CE
      {CB_GETITEMHEIGHT, 2, 0, CB_ERR},
      {CB_SETITEMHEIGHT, 0, 0, CB_ERR},
      {CB_GETDROPPEDWIDTH, 0, 0, 80},
      {CB_SETDROPPEDWIDTH, 50, 0, 80},  // never narrower than the box
      {CB_SETDROPPEDWIDTH, 200, 0, 200},
      {CB_GETDROPPEDWIDTH, 0, 0, 200},
      {CB_SETITEMDATA, 1, 42, TRUE},
      {CB_GETITEMDATA, 1, 0, 42},
  };
  for (const auto& s : steps)
    EXPECT_EQ(SendMessageW(combo, s.message, s.wParam, s.lParam), s.expected) << std::hex << s.message << " " << s.wParam;
  EXPECT_EQ(Height(combo), 26) << "the field grows with its item";
  EXPECT_EQ(DroppedHeight(combo), 26 + (100 - 26) / 15 * 15);
  RECT dropped{};
  SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_EQ(dropped.right - dropped.left, 200);
}

TEST_F(ComboBoxTest, GetComboBoxInfoTellsTheFieldAndTheArrow) {
  HWND combo = Combo(CBS_DROPDOWNLIST);
  COMBOBOXINFO info{};
  EXPECT_FALSE(GetComboBoxInfo(combo, &info)) << "cbSize unset";
  EXPECT_FALSE(GetComboBoxInfo(dialog, &info));
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetComboBoxInfo(GetDlgItem(dialog, 1030), &info)) << "a list box";
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  RECT client;
  GetClientRect(combo, &client);
  EXPECT_EQ(info.hwndCombo, combo);
  EXPECT_EQ(info.rcButton.right, client.right);
  EXPECT_EQ(info.rcButton.bottom - info.rcButton.top, client.bottom) << "the arrow's square fills the field's height";
  EXPECT_LE(info.rcItem.right, info.rcButton.left);
  EXPECT_GT(info.rcItem.right, info.rcItem.left);
}

// What the parent reads in CBN_SELCHANGE: a CBS_DROPDOWN box's text is still the old choice, a
// CBS_DROPDOWNLIST box shows the new one.
TEST_F(ComboBoxTest, AnEditableBoxTellsTheChangeBeforeItsTextFollows) {
  std::u16string read;
  dialog_test::g_hook = [&](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<INT_PTR> {
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
      WCHAR text[16] = {};
      GetWindowTextW(reinterpret_cast<HWND>(lParam), text, 16);
      read = text;
    }
    return std::nullopt;
  };
  struct Case {
    DWORD style;
    std::u16string readInNotification;
  } cases[] = {{CBS_DROPDOWN, u"Off"}, {CBS_DROPDOWNLIST, u"On"}};
  for (const auto& c : cases) {
    HWND combo = Combo(c.style);
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    read = u"<none>";
    SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(read, c.readInNotification) << c.style;
    WCHAR text[16] = {};
    GetWindowTextW(combo, text, 16);
    EXPECT_EQ(std::u16string(text), u"On") << "afterwards both show the choice";
    DestroyWindow(combo);
  }
}

}  // namespace
