// RelayoutDialogFromTemplate: a page created from one layout moves to another layout's places in one
// batch and gets back the template-given content; truncated and malformed templates move what can be
// read and fail, without ever reading past the resource.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "handset/gdi.h"
#include "handset/handset.h"
#include "handset/modules.h"
#include "internals/internals_test.h"

namespace {

constexpr std::array<int, 13> kPageIds{1030, 1040, 7200, 7201, 1032, 1041, 1033, 7204, 1022, 1023, 1034, 1020, 1021};

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// Which control heard which of the messages of moving and painting, in order.
std::vector<std::pair<int, UINT>> g_heard;
std::map<HWND, WNDPROC> g_procs;
LRESULT CALLBACK ListeningProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WINDOWPOSCHANGING || message == WM_WINDOWPOSCHANGED || message == WM_PAINT)
    g_heard.emplace_back(GetDlgCtrlID(window), message);
  return CallWindowProcW(g_procs[window], window, message, wParam, lParam);
}
void Listen(HWND window) {
  g_procs[window] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListeningProc)));
}
void DispatchAll() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::u16string Text(HWND window) {
  WCHAR text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

class TemplateRelayoutTest : public testing_support::InternalsTest {
 protected:
  void SetUp() override {
    InternalsTest::SetUp();
    WNDCLASSW custom{};
    custom.lpfnWndProc = PlainProc;
    custom.hInstance = module_;
    custom.lpszClassName = u"" RELAYOUT_CUSTOM_CLASS;
    ASSERT_NE(RegisterClassW(&custom), 0);
    custom.lpszClassName = u"RelayoutTestSheet";
    ASSERT_NE(RegisterClassW(&custom), 0);
    sheet_ = CreateWindowExW(0, u"RelayoutTestSheet", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             module_, nullptr);
    ASSERT_NE(sheet_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(sheet_);
    InternalsTest::TearDown();
  }

  HWND Page(UINT templateId) {
    HWND page = CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId), sheet_, PageProc, 0);
    EXPECT_NE(page, nullptr) << "template " << templateId;
    return page;
  }

  // The control's rectangle in its dialog's client area.
  static RECT Place(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  // Where a template rectangle in dialog units lies in the dialog.
  static RECT TemplatePlace(HWND dialog, int x, int y, int cx, int cy) {
    RECT rect{x, y, x + cx, y + cy};
    MapDialogRect(dialog, &rect);
    return rect;
  }
  static void MoveAway(HWND dialog, int id) { MoveWindow(GetDlgItem(dialog, id), 77, 88, 5, 6, FALSE); }
  static bool IsAway(HWND dialog, int id) { return SameRect(Place(dialog, id), RECT{77, 88, 82, 94}); }

  // The bytes of one of the module's own templates.
  std::vector<std::byte> TemplateBytes(UINT templateId) {
    HRSRC resource = FindResourceW(module_, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    auto* data = static_cast<const std::byte*>(LockResource(LoadResource(module_, resource)));
    return {data, data + SizeofResource(module_, resource)};
  }
  // A module that holds each of `templates` as dialog template 1, 2, ... and nothing else; every
  // resource is exactly as long as its bytes.
  HMODULE ModuleWithTemplates(const std::vector<std::vector<std::byte>>& templates) {
    handset::InMemoryModule module;
    WORD id = 1;
    for (const auto& bytes : templates) module.resources.push_back({WORD{5}, id++, bytes});
    handset::RegisterModule(u"templates.dll", std::move(module));
    HMODULE loaded = LoadLibraryW(u"templates.dll");
    EXPECT_NE(loaded, nullptr);
    return loaded;
  }

  HWND sheet_ = nullptr;
};

TEST_F(TemplateRelayoutTest, ThirteenControlsTakeTheirPlacesAndTextsInTheOtherLayout) {
  HWND page = Page(IDD_RELAYOUT_PORTRAIT);
  HWND landscape = Page(IDD_RELAYOUT_LANDSCAPE);
  HWND portrait = Page(IDD_RELAYOUT_PORTRAIT);

  EXPECT_TRUE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_RELAYOUT_LANDSCAPE));
  for (int id : kPageIds) {
    EXPECT_TRUE(SameRect(Place(page, id), Place(landscape, id))) << "control " << id;
    EXPECT_EQ(Text(GetDlgItem(page, id)), Text(GetDlgItem(landscape, id))) << "control " << id;
  }
  EXPECT_TRUE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_RELAYOUT_PORTRAIT));
  for (int id : kPageIds) EXPECT_TRUE(SameRect(Place(page, id), Place(portrait, id))) << "control " << id;
}

TEST_F(TemplateRelayoutTest, TheMovesAreOneBatchAndEachMovedControlRepaintsOnce) {
  HWND page = Page(IDD_RELAYOUT_PORTRAIT);
  for (int id : kPageIds) Listen(GetDlgItem(page, id));
  DispatchAll();
  g_heard.clear();

  ASSERT_TRUE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_RELAYOUT_LANDSCAPE));
  // In one batch every control hears what is coming before any has moved; control by control,
  // each would hear both before the next one heard anything.
  auto firstChanged = std::find_if(g_heard.begin(), g_heard.end(),
                                   [](const auto& heard) { return heard.second == WM_WINDOWPOSCHANGED; });
  EXPECT_EQ(std::count_if(g_heard.begin(), firstChanged,
                          [](const auto& heard) { return heard.second == WM_WINDOWPOSCHANGING; }),
            static_cast<long>(kPageIds.size()));
  EXPECT_EQ(std::count_if(g_heard.begin(), g_heard.end(),
                          [](const auto& heard) { return heard.second == WM_WINDOWPOSCHANGED; }),
            static_cast<long>(kPageIds.size()));

  g_heard.clear();
  DispatchAll();
  for (int id : kPageIds) {
    EXPECT_EQ(std::count(g_heard.begin(), g_heard.end(), std::pair<int, UINT>(id, WM_PAINT)), 1) << "control " << id;
  }
}

TEST_F(TemplateRelayoutTest, StaticImagesChangeOnlyForImagesThatLoadAndTheOldOnesAreReleased) {
  HWND page = Page(IDD_IMAGES_FIRST);
  auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(page, IDC_IMAGE_ICON, STM_GETIMAGE, IMAGE_ICON, 0));
  auto bitmap = reinterpret_cast<HBITMAP>(SendDlgItemMessageW(page, IDC_IMAGE_BITMAP, STM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(icon, nullptr);
  ASSERT_NE(bitmap, nullptr);
  std::size_t bitmaps = handset::gdi::LiveObjects().bitmaps;

  EXPECT_TRUE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_IMAGES_MISSING));
  EXPECT_EQ(SendDlgItemMessageW(page, IDC_IMAGE_ICON, STM_GETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(icon));
  EXPECT_EQ(SendDlgItemMessageW(page, IDC_IMAGE_BITMAP, STM_GETIMAGE, IMAGE_BITMAP, 0),
            reinterpret_cast<LRESULT>(bitmap));
  EXPECT_EQ(handset::gdi::LiveObjects().bitmaps, bitmaps);

  EXPECT_TRUE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_IMAGES_SECOND));
  EXPECT_NE(SendDlgItemMessageW(page, IDC_IMAGE_ICON, STM_GETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(icon));
  EXPECT_NE(SendDlgItemMessageW(page, IDC_IMAGE_BITMAP, STM_GETIMAGE, IMAGE_BITMAP, 0),
            reinterpret_cast<LRESULT>(bitmap));
  EXPECT_EQ(handset::gdi::LiveObjects().bitmaps, bitmaps) << "the new bitmap replaces the old one, which is deleted";
  EXPECT_FALSE(DestroyIcon(icon)) << "the old icon is destroyed already";
  RECT iconPlace = TemplatePlace(page, 20, 2, 16, 16);
  EXPECT_EQ(Place(page, IDC_IMAGE_ICON).left, iconPlace.left);
  EXPECT_EQ(Place(page, IDC_IMAGE_ICON).top, iconPlace.top);
}

TEST_F(TemplateRelayoutTest, ImagesThatTheControlDoesNotTakeAreReleasedAtOnce) {
  HWND page = Page(IDD_SMALL_WITH_FONT);
  EXPECT_TRUE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_SMALL_AS_IMAGES));
  std::size_t handles = handset::LiveHandleCount();
  std::size_t bitmaps = handset::gdi::LiveObjects().bitmaps;
  for (int rotation = 0; rotation < 3; ++rotation)
    EXPECT_TRUE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_SMALL_AS_IMAGES));
  EXPECT_EQ(handset::LiveHandleCount(), handles) << "no icon is lost at a relayout";
  EXPECT_EQ(handset::gdi::LiveObjects().bitmaps, bitmaps) << "no bitmap is lost at a relayout";
}

TEST_F(TemplateRelayoutTest, TemplateTextsComeBackWhileStatesSelectionsAndEditTextsStay) {
  HWND page = Page(IDD_RELAYOUT_PORTRAIT);
  SetDlgItemTextW(page, 1030, u"formatted by the page");
  SetDlgItemTextW(page, 1022, u"renamed");
  SetDlgItemTextW(page, 7204, u"\\My Documents\\me.jpg");
  CheckDlgButton(page, 7200, BST_CHECKED);
  for (const char16_t* entry : {u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i", u"j"}) {
    SendDlgItemMessageW(page, 1040, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SendDlgItemMessageW(page, 1020, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  SendDlgItemMessageW(page, 1040, CB_SETCURSEL, 2, 0);
  SendDlgItemMessageW(page, 1020, LB_SETCURSEL, 9, 0);

  EXPECT_TRUE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_RELAYOUT_LANDSCAPE));
  EXPECT_EQ(Text(GetDlgItem(page, 1030)), u"Mute video (landscape)");
  EXPECT_EQ(Text(GetDlgItem(page, 1022)), u"Browse");
  EXPECT_EQ(Text(GetDlgItem(page, 7204)), u"\\My Documents\\me.jpg") << "edit controls are not touched";
  EXPECT_EQ(IsDlgButtonChecked(page, 7200), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(Text(GetDlgItem(page, 7200)), u"Show call time");
  EXPECT_EQ(SendDlgItemMessageW(page, 1040, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendDlgItemMessageW(page, 1020, LB_GETCURSEL, 0, 0), 9);
  EXPECT_EQ(SendDlgItemMessageW(page, 1041, CB_GETCURSEL, 0, 0), CB_ERR) << "no selection stays none";
}

TEST_F(TemplateRelayoutTest, AControlMissingFromThePageFailsButEveryOtherControlIsMoved) {
  HWND page = Page(IDD_RELAYOUT_PORTRAIT);
  HWND landscape = Page(IDD_RELAYOUT_LANDSCAPE);
  EXPECT_FALSE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_RELAYOUT_EXTRA_CONTROL));
  for (int id : kPageIds) EXPECT_TRUE(SameRect(Place(page, id), Place(landscape, id))) << "control " << id;
}

TEST_F(TemplateRelayoutTest, TemplatesAreReadWithAndWithoutAFontRecord) {
  HWND page = Page(IDD_SMALL_WITH_FONT);
  SetDlgItemTextW(page, IDC_SMALL_CUSTOM, u"kept");

  EXPECT_TRUE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_SMALL_WITHOUT_FONT));
  EXPECT_EQ(Text(GetDlgItem(page, IDC_SMALL_LABEL)), u"Label without font");
  EXPECT_EQ(Text(GetDlgItem(page, IDC_SMALL_BUTTON)), u"Button without font");
  EXPECT_TRUE(SameRect(Place(page, IDC_SMALL_LABEL), TemplatePlace(page, 10, 4, 70, 12)));
  EXPECT_TRUE(SameRect(Place(page, IDC_SMALL_CUSTOM), TemplatePlace(page, 10, 18, 70, 12)))
      << "a control of a class given by name is moved";
  EXPECT_EQ(Text(GetDlgItem(page, IDC_SMALL_CUSTOM)), u"kept") << "but its content is not touched";

  EXPECT_TRUE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_SMALL_WITH_FONT));
  EXPECT_EQ(Text(GetDlgItem(page, IDC_SMALL_LABEL)), u"Label");
  EXPECT_TRUE(SameRect(Place(page, IDC_SMALL_BUTTON), TemplatePlace(page, 2, 26, 40, 12)));
}

TEST_F(TemplateRelayoutTest, OneUnnamedStaticIsFineTwoFailButEverythingFoundIsMoved) {
  HWND one = Page(IDD_SMALL_ONE_UNNAMED);
  for (int id : {IDC_SMALL_LABEL, IDC_SMALL_CUSTOM, IDC_SMALL_BUTTON, 0xFFFF}) MoveAway(one, id);
  EXPECT_TRUE(lib_->RelayoutDialogFromTemplate(module_, one, IDD_SMALL_ONE_UNNAMED));
  EXPECT_TRUE(SameRect(Place(one, 0xFFFF), TemplatePlace(one, 4, 40, 60, 10)));

  HWND two = Page(IDD_SMALL_TWO_UNNAMED);
  for (int id : {IDC_SMALL_LABEL, IDC_SMALL_CUSTOM, IDC_SMALL_BUTTON}) MoveAway(two, id);
  EXPECT_FALSE(lib_->RelayoutDialogFromTemplate(module_, two, IDD_SMALL_TWO_UNNAMED));
  EXPECT_TRUE(SameRect(Place(two, IDC_SMALL_LABEL), TemplatePlace(two, 6, 2, 60, 10)));
  EXPECT_TRUE(SameRect(Place(two, IDC_SMALL_CUSTOM), TemplatePlace(two, 6, 14, 60, 10)));
  EXPECT_TRUE(SameRect(Place(two, IDC_SMALL_BUTTON), TemplatePlace(two, 6, 26, 40, 12)));
}

TEST_F(TemplateRelayoutTest, AMissingOrExtendedTemplateMovesNothing) {
  HWND page = Page(IDD_SMALL_WITH_FONT);
  for (int id : {IDC_SMALL_LABEL, IDC_SMALL_CUSTOM, IDC_SMALL_BUTTON}) MoveAway(page, id);
  EXPECT_FALSE(lib_->RelayoutDialogFromTemplate(module_, page, 4242));
  EXPECT_FALSE(lib_->RelayoutDialogFromTemplate(module_, page, IDD_SMALL_EXTENDED));
  for (int id : {IDC_SMALL_LABEL, IDC_SMALL_CUSTOM, IDC_SMALL_BUTTON}) EXPECT_TRUE(IsAway(page, id)) << id;
}

TEST_F(TemplateRelayoutTest, EveryTruncationFailsWithoutReadingPastTheResourceAndMovesTheWholeItemsBeforeIt) {
  std::vector<std::byte> whole = TemplateBytes(IDD_SMALL_WITH_FONT);
  std::vector<std::vector<std::byte>> truncated;
  for (std::size_t size = 0; size < whole.size(); ++size) truncated.emplace_back(whole.begin(), whole.begin() + size);
  HMODULE templates = ModuleWithTemplates(truncated);
  HWND page = Page(IDD_SMALL_WITH_FONT);

  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_FALSE(lib_->RelayoutDialogFromTemplate(templates, page, static_cast<UINT>(size + 1))) << size << " bytes";
  }
  // One byte short, only the last item is incomplete.
  for (int id : {IDC_SMALL_LABEL, IDC_SMALL_CUSTOM, IDC_SMALL_BUTTON}) MoveAway(page, id);
  EXPECT_FALSE(lib_->RelayoutDialogFromTemplate(templates, page, static_cast<UINT>(whole.size())));
  EXPECT_TRUE(SameRect(Place(page, IDC_SMALL_LABEL), TemplatePlace(page, 2, 2, 60, 10)));
  EXPECT_TRUE(SameRect(Place(page, IDC_SMALL_CUSTOM), TemplatePlace(page, 2, 14, 60, 10)));
  EXPECT_TRUE(IsAway(page, IDC_SMALL_BUTTON));
  FreeLibrary(templates);
}

TEST_F(TemplateRelayoutTest, AnItemCountBeyondTheItemsOrCreationDataBeyondTheEndFail) {
  std::vector<std::byte> whole = TemplateBytes(IDD_SMALL_WITH_FONT);
  // The header's item count is the 16 bits at offset 8.
  std::vector<std::byte> moreItems = whole;
  moreItems[8] = std::byte{50};
  // The first item follows the 40-byte header (18 bytes, empty menu, class and title, point size
  // and "Tahoma"): 18 bytes of item, the static's class ordinal, "Label", then its creation-data size.
  std::vector<std::byte> longData = whole;
  const std::size_t creationSize = 40 + 18 + 4 + 12;
  ASSERT_EQ(longData[creationSize], std::byte{0});
  ASSERT_EQ(longData[creationSize + 1], std::byte{0});
  longData[creationSize] = std::byte{0xFF};
  longData[creationSize + 1] = std::byte{0x7F};
  HMODULE templates = ModuleWithTemplates({moreItems, longData});
  HWND page = Page(IDD_SMALL_WITH_FONT);

  for (int id : {IDC_SMALL_LABEL, IDC_SMALL_CUSTOM, IDC_SMALL_BUTTON}) MoveAway(page, id);
  EXPECT_FALSE(lib_->RelayoutDialogFromTemplate(templates, page, 1));
  EXPECT_TRUE(SameRect(Place(page, IDC_SMALL_BUTTON), TemplatePlace(page, 2, 26, 40, 12)))
      << "the items that are there are moved";

  for (int id : {IDC_SMALL_LABEL, IDC_SMALL_CUSTOM, IDC_SMALL_BUTTON}) MoveAway(page, id);
  EXPECT_FALSE(lib_->RelayoutDialogFromTemplate(templates, page, 2));
  for (int id : {IDC_SMALL_LABEL, IDC_SMALL_CUSTOM, IDC_SMALL_BUTTON}) EXPECT_TRUE(IsAway(page, id)) << id;
  FreeLibrary(templates);
}

}  // namespace
