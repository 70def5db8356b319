// The phone-screen layout templates, read back from the loaded vlmrc.dll the way the host reads
// them (FindResourceW, LoadResource, SizeofResource) and checked row by row against the host's
// tables: sizes, styles, fonts, counts, control order, classes, the host's fixed rectangles, the
// differences within the keypad pairs, and the shape of the layouts left to us.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "handset/dialog_template.h"
#include "handset/text.h"
#include "support/handset_test.h"
#include "support/record_text.h"

namespace {

using handset::dialogs::ControlClassName;
using handset::dialogs::DialogItem;
using handset::dialogs::DialogTemplate;
using testing_support::RecordText;

constexpr std::uint32_t kVisible = 0x10000000;
const LPCWSTR kSipTemplate = TEXT("IDD_ZARVO_SIP_URI_PORT");

// A template is looked up by number, or by name when name is set.
struct TemplateKey {
  int id = 0;
  LPCWSTR name = nullptr;
};

std::string Describe(const TemplateKey& key) {
  return key.name ? handset::Utf8(RecordText(key.name)) : std::to_string(key.id);
}

std::vector<int> Range(int first, int last) {
  std::vector<int> ids;
  for (int id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

// Joins id lists, so an order reads as in the host's table: Ids({3019, 23057}, Range(...), ...).
std::vector<int> Ids(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> ids;
  for (const auto& part : parts) ids.insert(ids.end(), part.begin(), part.end());
  return ids;
}

std::vector<int> Swapped(std::vector<int> order, int a, int b) {
  std::iter_swap(std::find(order.begin(), order.end(), a), std::find(order.begin(), order.end(), b));
  return order;
}

std::vector<int> Without(std::vector<int> order, std::set<int> removed) {
  std::erase_if(order, [&](int id) { return removed.count(id) > 0; });
  return order;
}

const std::vector<int> kStatusButtons = Range(3021, 3025);
// Keys 1-9, then *, 0, #: 23051 comes before 23050.
const std::vector<int> kKeypad = Ids({Range(23041, 23049), {23051, 23050, 23052}});

struct TemplateRow {
  TemplateKey key;
  int width, height;
  std::uint32_t style, exStyle;
  int fontPoints;  // 0: no font
  const char16_t* face;
  std::size_t controls;
};

const std::vector<TemplateRow>& TemplateTable() {
  static const std::vector<TemplateRow> rows = {
      {{0, kSipTemplate}, 1, 1, 0x80008040, 0x0, 10, u"System", 1},
      {{8124}, 320, 480, 0x8000, 0x2000000, 0, nullptr, 41},
      {{8125}, 320, 480, 0x8000, 0x2000000, 0, nullptr, 41},
      {{8126}, 480, 320, 0x8000, 0x2000000, 0, nullptr, 39},
      {{8127}, 480, 320, 0x8000, 0x2000000, 0, nullptr, 39},
      {{8128}, 320, 480, 0x8000, 0x2000000, 0, nullptr, 16},
      {{8129}, 480, 320, 0x8000, 0x2000000, 0, nullptr, 17},
      {{8130}, 480, 800, 0x8000, 0x2000000, 0, nullptr, 41},
      {{8131}, 480, 800, 0x8000, 0x2000000, 0, nullptr, 41},
      {{8132}, 800, 480, 0x8000, 0x2000000, 0, nullptr, 39},
      {{8133}, 800, 480, 0x8000, 0x2000000, 0, nullptr, 39},
      {{8134}, 480, 800, 0x8000, 0x2000000, 0, nullptr, 16},
      {{8135}, 800, 480, 0x8000, 0x2000000, 0, nullptr, 17},
      {{8136}, 480, 696, 0x80008040, 0x0, 10, u"System", 0},
      {{8137}, 800, 376, 0x80008040, 0x0, 10, u"System", 0},
      {{22500}, 240, 320, 0x8000, 0x2000000, 0, nullptr, 27},
      {{22506}, 240, 320, 0x50008040, 0x0, 11, u"Tahoma", 7},
      {{22507}, 320, 240, 0x8000, 0x2000000, 0, nullptr, 27},
      {{22508}, 240, 240, 0x8000, 0x2000000, 0, nullptr, 18},
      {{22509}, 240, 320, 0x8000, 0x2000000, 0, nullptr, 35},
      {{22510}, 320, 240, 0x8000, 0x2000000, 0, nullptr, 33},
      {{22511}, 240, 240, 0x8000, 0x2000000, 0, nullptr, 21},
      {{22519}, 320, 240, 0xc08000, 0x80000000, 0, nullptr, 5},
      {{22520}, 240, 320, 0xc08000, 0x80000000, 0, nullptr, 5},
      {{22521}, 240, 240, 0xc08000, 0x80000000, 0, nullptr, 5},
      {{22523}, 320, 240, 0x50008040, 0x0, 11, u"Tahoma", 7},
      {{22525}, 240, 320, 0x80c08000, 0x80000000, 0, nullptr, 5},
      {{22526}, 320, 240, 0x80c08000, 0x80000000, 0, nullptr, 5},
      {{22527}, 240, 240, 0x80c08000, 0x80000000, 0, nullptr, 5},
      {{22530}, 240, 320, 0x8000, 0x2000000, 0, nullptr, 37},
      {{22531}, 320, 240, 0x8000, 0x2000000, 0, nullptr, 35},
      {{22544}, 240, 320, 0x50008040, 0x0, 11, u"Tahoma", 8},
      {{22545}, 320, 240, 0x50008040, 0x0, 11, u"Tahoma", 8},
  };
  return rows;
}

// The order of the items of every template.
std::map<int, std::vector<int>> ControlOrders() {
  auto k8124 = Ids({{3019, 23057, 23056, 23010, 23009},
                    kStatusButtons,
                    {23022, 23007, 23003, 23038, 23008, 23062, 23002, 3012, 23001, 3016, 3017, 23061, 3018},
                    kKeypad,
                    {23012, 23011, 23014, 23027, 23029, 23030}});
  auto k8126 = Ids({{3019, 23057, 23056, 23010, 23009},
                    kStatusButtons,
                    {23062, 23022, 23007, 23003, 23002, 3012, 23001, 3016, 3017, 23061, 3018},
                    kKeypad,
                    {23012, 23011, 23014, 23027, 23029, 23030}});
  auto k8128 =
      Ids({{23057, 23056, 23009}, kStatusButtons, {23022, 23007, 23026, 23053, 23038, 23014, 23033, 3008}});
  auto k8129 = Ids({{23057, 23056, 23009},
                    kStatusButtons,
                    {23022, 23007, 23026, 23003, 23033, 23053, 23014, 23038, 3008}});
  auto k22509 = Ids({{23057, 23056, 23010, 23009, 23022, 23007, 23003, 23038, 23008, 23002},
                     kKeypad,
                     {23001, 23012, 23011, 23014, 23029, 23030, 3002},
                     kStatusButtons,
                     {23027}});
  std::vector<int> alert = {23010, 23009, 23021, 23059, 23025, 23039, 23040};
  std::vector<int> alertNote = {23010, 23009, 23021, 23059, 3011, 23025, 23039, 23040};
  std::vector<int> privateList = {23036, 23021, 23037, 23026, 23035};
  std::vector<int> registerList = {23054, 23021, 23055, 23034, 23035};
  return {
      {8124, k8124},
      {8130, k8124},
      {8125, Swapped(k8124, 23027, 23014)},
      {8131, Swapped(k8124, 23027, 23014)},
      {8126, k8126},
      {8132, k8126},
      {8127, Swapped(k8126, 23027, 23014)},
      {8133, Swapped(k8126, 23027, 23014)},
      {8128, k8128},
      {8134, k8128},
      {8129, k8129},
      {8135, k8129},
      {8136, {}},
      {8137, {}},
      {22500, Ids({{23057, 23056, 23010, 23009, 23022, 23007, 23003, 23026, 23053, 23038, 23008,
                    23033, 23016, 23031, 23013, 23014, 23029, 23030, 23012, 23027, 23015, 3008},
                   kStatusButtons})},
      {22507, Ids({{23057, 23056, 23010, 23009, 23022, 23007, 23003, 23033, 23026, 23053, 23038,
                    23008, 23016, 23031, 23013, 23014, 23029, 23030, 23012, 23027, 23015, 3008},
                   kStatusButtons})},
      {22508,
       {23057, 23056, 23010, 23009, 23022, 23007, 23003, 23026, 23038, 23053, 23033, 23008, 23016, 23031,
        23013, 23014, 23027, 23015}},
      {22509, k22509},
      {22510, Without(k22509, {23038, 23008})},
      {22511, Ids({{23057, 23056, 23010, 23009, 23002}, kKeypad, {23001, 23012, 23011, 23014}})},
      {22530, Ids({{23057, 23056, 23010, 23009, 23022, 23007, 23003, 23038, 23008, 23062, 23002, 3012, 3016},
                   kKeypad,
                   {23001, 23012, 23011, 23014, 23029, 23030},
                   kStatusButtons,
                   {23027}})},
      {22531, Ids({{23057, 23056, 23010, 23009, 23062, 23022, 23007, 23003, 23002, 3012, 3016},
                   kKeypad,
                   {23001, 23012, 23011, 23014, 23029, 23030},
                   kStatusButtons,
                   {23027}})},
      {22506, alert},
      {22523, alert},
      {22544, alertNote},
      {22545, alertNote},
      {22519, privateList},
      {22520, privateList},
      {22521, privateList},
      {22525, registerList},
      {22526, registerList},
      {22527, registerList},
  };
}

// Control vocabulary: in how many templates each control appears with the given class.
struct VocabularyRow {
  std::vector<int> ids;
  std::u16string windowClass;
  std::size_t fewest, most;
};

const std::vector<VocabularyRow>& Vocabulary() {
  static const std::vector<VocabularyRow> rows = {
      {{1050}, u"EDIT", 1, 1},
      {{3002}, u"ZARVO_SMARTDIAL_PLACEHOLDER", 2, 2},
      {{3008}, u"COMBOBOX", 6, 6},
      {{3011}, u"STATIC", 2, 2},
      {{3012}, u"STATIC", 10, 10},
      {{3016}, u"STATIC", 10, 10},
      {{3017}, u"STATIC", 8, 8},
      {{3018}, u"ZARVO_HTML_CONTAINER", 8, 8},
      {{3019}, u"STATIC", 8, 8},
      {Range(3021, 3025), u"BUTTON", 18, 18},
      {{23001}, u"MS_PHONE_BUTTON", 13, 13},
      {{23002}, u"MS_PHONE_ACCUMULATOR", 13, 13},
      {{23003}, u"MS_PHONE_CALLERIDINFO", 17, 17},
      {{23007}, u"MS_PHONE_ELAPSEDTIME", 19, 19},
      {{23008}, u"MS_PHONE_CONTACTPICTURE", 9, 9},
      {{23009}, u"CUST_PHONE_STATUSICONS", 18, 18},
      {{23009}, u"MS_PHONE_STATUSICONS", 6, 6},
      {{23010}, u"MS_PHONE_BRANDING", 20, 20},
      {{23011, 23012, 23014, 23027, 23029, 23030}, u"MS_PHONE_BUTTON", 13, 20},
      {{23013, 23015, 23016, 23031}, u"MS_PHONE_BUTTON", 3, 3},
      {{23021}, u"MS_PHONE_SOLIDLINE", 10, 10},
      {{23022}, u"MS_PHONE_CALLSTATE", 19, 19},
      {{23025}, u"MS_PHONE_CALERTCONTACT", 4, 4},
      {{23026}, u"MS_PHONE_CALLERLIST", 10, 10},
      {{23033}, u"MS_PHONE_ACCUMULATOR", 7, 7},
      {{23034}, u"SysListView32", 3, 3},
      {{23035}, u"BUTTON", 6, 6},
      {{23036, 23037, 23054, 23055, 23059}, u"MS_PHONE_TEXT", 3, 4},
      {{23038, 23039, 23053, 23057, 23062}, u"MS_PHONE_LAYOUTHELPER", 4, 20},
      {{23040}, u"MS_PHONE_CONTACTPICTURE", 4, 4},
      {Range(23041, 23052), u"MS_PHONE_BUTTON", 13, 13},
      {{23056}, u"MS_PHONE_INVALIDPHONE", 20, 20},
      {{23061}, u"MS_PHONE_SMARTDIAL", 8, 8},
  };
  return rows;
}

const std::set<int> kLayoutHelpers = {23038, 23039, 23053, 23057, 23062};

struct Rect {
  int x, y, cx, cy;
  bool operator==(const Rect&) const = default;
};

Rect RectOf(const DialogItem& item) { return {item.x, item.y, item.cx, item.cy}; }

void PrintTo(const Rect& r, std::ostream* os) { *os << r.x << ", " << r.y << ", " << r.cx << ", " << r.cy; }

// A row given by the host: the item's class, style and rectangle.
struct FixedRow {
  int id;
  std::u16string windowClass;
  std::uint32_t style;
  Rect rect;
};

// The whole of 22500, item by item.
const std::vector<FixedRow> k22500 = {
    {23057, u"MS_PHONE_LAYOUTHELPER", 0x40000000, {-1, 0, 0, 0}},
    {23056, u"MS_PHONE_INVALIDPHONE", 0x50000000, {6, 0, 237, 23}},
    {23010, u"MS_PHONE_BRANDING", 0x50000000, {6, 0, 150, 23}},
    {23009, u"CUST_PHONE_STATUSICONS", 0x50000000, {157, 4, 80, 17}},
    {23022, u"MS_PHONE_CALLSTATE", 0x50000000, {6, 25, 123, 18}},
    {23007, u"MS_PHONE_ELAPSEDTIME", 0x50000000, {133, 25, 60, 18}},
    {23003, u"MS_PHONE_CALLERIDINFO", 0x50000000, {6, 49, 114, 28}},
    {23026, u"MS_PHONE_CALLERLIST", 0x50000000, {6, 86, 228, 55}},
    {23053, u"MS_PHONE_LAYOUTHELPER", 0x40000000, {-1, 0, 0, 0}},
    {23038, u"MS_PHONE_LAYOUTHELPER", 0x40000000, {-1, 0, 0, 0}},
    {23008, u"MS_PHONE_CONTACTPICTURE", 0x50000000, {197, 25, 39, 52}},
    {23033, u"MS_PHONE_ACCUMULATOR", 0x50010000, {120, 49, 114, 27}},
    {23016, u"MS_PHONE_BUTTON", 0x50000000, {6, 195, 71, 28}},
    {23031, u"MS_PHONE_BUTTON", 0x50000000, {83, 195, 71, 28}},
    {23013, u"MS_PHONE_BUTTON", 0x50000000, {163, 195, 71, 28}},
    {23014, u"MS_PHONE_BUTTON", 0x50000000, {163, 233, 71, 28}},
    {23029, u"MS_PHONE_BUTTON", 0x50000000, {163, 233, 71, 28}},
    {23030, u"MS_PHONE_BUTTON", 0x50000000, {163, 195, 71, 28}},
    {23012, u"MS_PHONE_BUTTON", 0x50000000, {80, 231, 80, 37}},
    {23027, u"MS_PHONE_BUTTON", 0x50000000, {83, 233, 71, 28}},
    {23015, u"MS_PHONE_BUTTON", 0x50000000, {6, 233, 71, 28}},
    {3008, u"COMBOBOX", 0x50200003, {0, 0, 60, 100}},
    {3021, u"BUTTON", 0x5000000b, {200, 0, 16, 16}},
    {3022, u"BUTTON", 0x5000000b, {220, 0, 16, 16}},
    {3023, u"BUTTON", 0x5000000b, {220, 0, 16, 16}},
    {3024, u"BUTTON", 0x5000000b, {220, 0, 16, 16}},
    {3025, u"BUTTON", 0x5000000b, {220, 0, 17, 17}},
};

// The host's rows of the other templates, each with the parts the host fixes.
struct FixedRect {
  int id;
  Rect rect;
};

// Rows whose rectangle is fixed in full.
const std::map<int, std::vector<FixedRect>> kFixedRects = {
    {22506,
     {{23009, {144, 4, 80, 17}},
      {23021, {0, 24, 240, 1}},
      {23059, {4, 28, 144, 20}},
      {23025, {4, 54, 144, 76}},
      {23040, {152, 28, 72, 96}}}},
    {22519,
     {{23036, {4, 4, 180, 20}},
      {23021, {4, 28, 312, 1}},
      {23037, {4, 32, 180, 15}},
      {23026, {4, 53, 312, 100}},
      {23035, {236, 158, 80, 20}}}},
    {22525,
     {{23054, {4, 4, 180, 20}},
      {23021, {4, 28, 232, 1}},
      {23055, {4, 32, 180, 15}},
      {23034, {4, 53, 232, 150}},
      {23035, {156, 208, 80, 20}}}},
    {8124, {{3012, {0, 0, 320, 51}}}},
    {8125,
     {{3012, {0, 0, 320, 51}},
      {3016, {0, 166, 320, 180}},
      {23061, {0, 51, 346, 115}},
      {3018, {0, 51, 320, 115}}}},
    {8127, {{3016, {151, 51, 235, 199}}}},
};

// Rows that stand at x = 999, off screen.
const std::map<int, std::vector<int>> kOffScreen = {{22506, {23010}}, {8124, {23002}}, {8125, {23002}}};

// The ids whose rectangles come from the host, for the checks of the layouts left to us. 8124's
// smart-dial list has 8125's position and width: the second of the pair only shortens it.
std::set<int> HostRows(int templateId) {
  if (templateId == 22500) {
    std::set<int> all;
    for (const auto& row : k22500) all.insert(row.id);
    return all;
  }
  std::set<int> rows;
  if (auto it = kFixedRects.find(templateId); it != kFixedRects.end())
    for (const auto& row : it->second) rows.insert(row.id);
  if (auto it = kOffScreen.find(templateId); it != kOffScreen.end())
    rows.insert(it->second.begin(), it->second.end());
  if (templateId == 8124) rows.insert(23061);
  return rows;
}

class LayoutTemplatesTest : public testing_support::HandsetTest {
 protected:
  void SetUp() override {
    HandsetTest::SetUp();
    module_ = LoadLibraryW(TEXT("vlmrc.dll"));
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
    HandsetTest::TearDown();
  }

  // The template's bytes as the host gets them, read; a failure names the template.
  DialogTemplate Read(const TemplateKey& key) {
    LPCWSTR name = key.name ? key.name : MAKEINTRESOURCEW(key.id);
    HRSRC found = FindResourceW(module_, name, RT_DIALOG);
    EXPECT_NE(found, nullptr) << "template " << Describe(key);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    DWORD size = SizeofResource(module_, found);
    auto result = handset::dialogs::ReadDialogTemplate(LockResource(loaded), size);
    EXPECT_TRUE(result) << "template " << Describe(key) << ": " << result.error;
    return result ? *result.dialog : DialogTemplate{};
  }

  // Every template of the table with its number (0 for the named one).
  std::map<int, DialogTemplate> ReadAll() {
    std::map<int, DialogTemplate> all;
    for (const auto& row : TemplateTable()) all[row.key.id] = Read(row.key);
    return all;
  }

  static const DialogItem* Find(const DialogTemplate& dialog, int id) {
    for (const auto& item : dialog.items)
      if (item.id == static_cast<std::uint32_t>(id)) return &item;
    return nullptr;
  }
  static const DialogItem* Find(DialogTemplate&&, int) = delete;  // the item would outlive its template

  HMODULE module_ = nullptr;
};

TEST_F(LayoutTemplatesTest, EveryTemplateHasTheSizeStylesFontAndCountOfItsRow) {
  for (const auto& row : TemplateTable()) {
    SCOPED_TRACE("template " + Describe(row.key));
    DialogTemplate dialog = Read(row.key);
    EXPECT_FALSE(dialog.extended);
    EXPECT_EQ(dialog.cx, row.width);
    EXPECT_EQ(dialog.cy, row.height);
    EXPECT_EQ(dialog.style, row.style);
    EXPECT_EQ(dialog.exStyle, row.exStyle);
    EXPECT_EQ(dialog.items.size(), row.controls);
    if (row.fontPoints) {
      ASSERT_TRUE(dialog.font);
      EXPECT_EQ(dialog.font->pointSize, row.fontPoints);
      EXPECT_EQ(dialog.font->face, row.face);
    } else {
      EXPECT_FALSE(dialog.font);
    }
    EXPECT_TRUE(dialog.title.empty());
    EXPECT_TRUE(dialog.menu.IsEmpty());
    EXPECT_TRUE(dialog.windowClass.IsEmpty());
  }
}

TEST_F(LayoutTemplatesTest, TheNamedTemplateHoldsItsEditControl) {
  DialogTemplate dialog = Read({0, kSipTemplate});
  ASSERT_EQ(dialog.items.size(), 1u);
  const DialogItem& edit = dialog.items[0];
  EXPECT_EQ(edit.id, 1050u);
  EXPECT_EQ(ControlClassName(edit.windowClass), u"EDIT");
  EXPECT_EQ(edit.style, 0x50810080u);
  EXPECT_EQ(RectOf(edit), (Rect{10, 10, 50, 50}));
}

TEST_F(LayoutTemplatesTest, EveryTemplateListsItsControlsInTheHostsOrder) {
  for (const auto& [id, order] : ControlOrders()) {
    DialogTemplate dialog = Read({id});
    std::vector<int> ids;
    for (const auto& item : dialog.items) ids.push_back(static_cast<int>(item.id));
    EXPECT_EQ(ids, order) << "template " << id;
  }
  DialogTemplate sip = Read({0, kSipTemplate});
  ASSERT_EQ(sip.items.size(), 1u);
  EXPECT_EQ(sip.items[0].id, 1050u);
}

TEST_F(LayoutTemplatesTest, EveryControlHasTheClassAndTemplateCountOfTheVocabulary) {
  std::map<std::pair<int, std::u16string>, std::size_t> templatesWith;
  std::set<int> seen;
  for (const auto& [number, dialog] : ReadAll())
    for (const auto& item : dialog.items) {
      ++templatesWith[{static_cast<int>(item.id), ControlClassName(item.windowClass)}];
      seen.insert(static_cast<int>(item.id));
    }
  std::set<int> known;
  for (const auto& row : Vocabulary())
    for (int id : row.ids) {
      known.insert(id);
      std::size_t count = templatesWith[{id, row.windowClass}];
      EXPECT_GE(count, row.fewest) << id << " as " << handset::Utf8(row.windowClass);
      EXPECT_LE(count, row.most) << id << " as " << handset::Utf8(row.windowClass);
    }
  // Nothing outside the vocabulary, and no vocabulary id under another class.
  EXPECT_EQ(seen, known);
  for (const auto& entry : templatesWith) {
    const auto& key = entry.first;  // a named variable: lambdas cannot capture structured bindings in clang 14
    bool listed = std::any_of(Vocabulary().begin(), Vocabulary().end(), [&](const VocabularyRow& row) {
      return row.windowClass == key.second && std::count(row.ids.begin(), row.ids.end(), key.first);
    });
    EXPECT_TRUE(listed) << key.first << " as " << handset::Utf8(key.second);
  }
}

TEST_F(LayoutTemplatesTest, FixedStylesHoldInEveryTemplate) {
  for (const auto& [number, dialog] : ReadAll())
    for (const auto& item : dialog.items) {
      SCOPED_TRACE("template " + std::to_string(number) + ", control " + std::to_string(item.id));
      int id = static_cast<int>(item.id);
      if (kLayoutHelpers.count(id)) {
        EXPECT_EQ(RectOf(item), (Rect{-1, 0, 0, 0}));
        EXPECT_EQ(item.style, 0x40000000u);
      }
      if (id >= 3021 && id <= 3025) {
        EXPECT_EQ(item.style, 0x5000000bu);
      }
      if (id == 23034) {
        EXPECT_EQ(item.style, 0x5081480du);
      }
      EXPECT_EQ(item.exStyle, 0u);
      EXPECT_TRUE(item.creationData.empty());
      // Only the list screens' button has text.
      if (id != 23035) {
        EXPECT_TRUE(item.title.IsEmpty());
      }
    }
}

TEST_F(LayoutTemplatesTest, Template22500HoldsExactlyTheHostsRows) {
  DialogTemplate dialog = Read({22500});
  ASSERT_EQ(dialog.items.size(), k22500.size());
  for (std::size_t i = 0; i < k22500.size(); ++i) {
    const DialogItem& item = dialog.items[i];
    const FixedRow& row = k22500[i];
    SCOPED_TRACE("item " + std::to_string(i + 1));
    EXPECT_EQ(item.id, static_cast<std::uint32_t>(row.id));
    EXPECT_EQ(ControlClassName(item.windowClass), row.windowClass);
    EXPECT_EQ(item.style, row.style);
    EXPECT_EQ(RectOf(item), row.rect);
    EXPECT_TRUE(item.title.IsEmpty());
    EXPECT_EQ(item.exStyle, 0u);
  }
}

TEST_F(LayoutTemplatesTest, TheHostsFixedRowsAndOffScreenControlsKeepTheirPlaces) {
  for (const auto& [id, rows] : kFixedRects) {
    DialogTemplate dialog = Read({id});
    for (const auto& row : rows) {
      const DialogItem* item = Find(dialog, row.id);
      ASSERT_NE(item, nullptr) << id << "/" << row.id;
      EXPECT_EQ(RectOf(*item), row.rect) << id << "/" << row.id;
    }
  }
  for (const auto& [id, controls] : kOffScreen)
    for (int control : controls) {
      DialogTemplate dialog = Read({id});
      const DialogItem* item = Find(dialog, control);
      ASSERT_NE(item, nullptr) << id << "/" << control;
      EXPECT_EQ(item->x, 999) << id << "/" << control;
    }
  // The status strip of the 320 x 480 keypad screens, and the list screens' buttons.
  for (int id : {8124, 8125}) {
    DialogTemplate dialog = Read({id});
    const DialogItem* strip = Find(dialog, 3012);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->style, 0x50020002u) << id;
  }
  for (int id : {22519, 22520, 22521, 22525, 22526, 22527}) {
    DialogTemplate dialog = Read({id});
    const DialogItem* button = Find(dialog, 23035);
    ASSERT_NE(button, nullptr) << id;
    EXPECT_EQ(button->title.name, id < 22525 ? u"Private" : u"Register") << id;
    if (id == 22519) {
      EXPECT_EQ(button->style, 0x50010000u);
    }
  }
}

TEST_F(LayoutTemplatesTest, ThePairsOfKeypadScreensDifferOnlyInTheKeypadArea) {
  for (auto [first, second] : {std::pair{8124, 8125}, {8126, 8127}, {8130, 8131}, {8132, 8133}}) {
    SCOPED_TRACE("pair " + std::to_string(first) + "/" + std::to_string(second));
    DialogTemplate a = Read({first});
    DialogTemplate b = Read({second});
    ASSERT_EQ(a.items.size(), b.items.size());
    for (const auto& itemA : a.items) {
      int id = static_cast<int>(itemA.id);
      SCOPED_TRACE("control " + std::to_string(id));
      const DialogItem* itemB = Find(b, id);
      ASSERT_NE(itemB, nullptr);
      EXPECT_EQ(ControlClassName(itemA.windowClass), ControlClassName(itemB->windowClass));
      EXPECT_EQ(itemA.title, itemB->title);
      if (id == 23030) {
        EXPECT_EQ(itemA.style, 0x40000000u);
        EXPECT_EQ(itemB->style, 0x50000000u);
      } else {
        EXPECT_EQ(itemA.style, itemB->style);
      }
      if (id == 3016) {
        EXPECT_TRUE(itemA.cx <= 0 || itemA.cy <= 0) << "the first has no panel";
        EXPECT_TRUE(itemB->cx > 0 && itemB->cy > 0) << "the second has one";
      } else if (id == 23061 || id == 3018) {
        EXPECT_EQ(std::vector<int>({itemA.x, itemA.y, itemA.cx}),
                  std::vector<int>({itemB->x, itemB->y, itemB->cx}));
        EXPECT_LT(itemB->cy, itemA.cy) << "shortened in the second";
      } else {
        EXPECT_EQ(RectOf(itemA), RectOf(*itemB));
      }
    }
  }
}

// The layouts left to us, checked by their shape.

bool Intersect(const Rect& a, const Rect& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

bool Contains(const Rect& outer, const Rect& inner) {
  return outer.x <= inner.x && outer.y <= inner.y && inner.x + inner.cx <= outer.x + outer.cx &&
         inner.y + inner.cy <= outer.y + outer.cy;
}

// What a person sees of an item: nothing for hidden, empty or off-screen ones; a drop-down list
// shows its one-line field, its template height being that of the list it opens.
std::optional<Rect> SeenRect(const DialogItem& item, int templateWidth) {
  constexpr int kClosedComboHeight = 24;
  if (!(item.style & kVisible) || item.cx <= 0 || item.cy <= 0 || item.x >= templateWidth)
    return std::nullopt;
  Rect r = RectOf(item);
  if (ControlClassName(item.windowClass) == u"COMBOBOX") r.cy = std::min(r.cy, kClosedComboHeight);
  return r;
}

// Statics that controls are drawn on.
const std::set<int> kBackdrops = {3012, 3016, 3017, 3019};

TEST_F(LayoutTemplatesTest, OurRectanglesLieInsideTheirScreen) {
  for (const auto& [number, dialog] : ReadAll()) {
    std::set<int> host = HostRows(number);
    for (const auto& item : dialog.items) {
      int id = static_cast<int>(item.id);
      if (number == 0 || host.count(id) || kLayoutHelpers.count(id) || item.x == 999) continue;
      Rect screen{0, 0, dialog.cx, dialog.cy};
      EXPECT_TRUE(Contains(screen, RectOf(item))) << "template " << number << ", control " << id;
    }
  }
}

TEST_F(LayoutTemplatesTest, NothingAPersonSeesOverlapsInOurLayouts) {
  for (const auto& [number, dialog] : ReadAll()) {
    std::set<int> host = HostRows(number);
    for (std::size_t i = 0; i < dialog.items.size(); ++i)
      for (std::size_t j = i + 1; j < dialog.items.size(); ++j) {
        int a = static_cast<int>(dialog.items[i].id), b = static_cast<int>(dialog.items[j].id);
        auto ra = SeenRect(dialog.items[i], dialog.cx), rb = SeenRect(dialog.items[j], dialog.cx);
        if (!ra || !rb || (host.count(a) && host.count(b)) || !Intersect(*ra, *rb)) continue;
        // The HTML container draws over the smart-dial list, as in the host's 8125.
        if (std::set<int>{a, b} == std::set<int>{23061, 3018}) continue;
        if ((kBackdrops.count(a) && Contains(*ra, *rb)) || (kBackdrops.count(b) && Contains(*rb, *ra)))
          continue;
        ADD_FAILURE() << "template " << number << ": " << a << " overlaps " << b;
      }
  }
}

TEST_F(LayoutTemplatesTest, KeypadKeysFormAFourByThreeGridInTabOrder) {
  int keypads = 0;
  for (const auto& [number, dialog] : ReadAll()) {
    if (!Find(dialog, 23041)) continue;
    ++keypads;
    SCOPED_TRACE("template " + std::to_string(number));
    std::vector<const DialogItem*> keys;
    for (int id : kKeypad) keys.push_back(Find(dialog, id));
    ASSERT_EQ(std::count(keys.begin(), keys.end(), nullptr), 0);
    for (std::size_t k = 0; k < keys.size(); ++k) {
      std::size_t row = k / 3, column = k % 3;
      const DialogItem& key = *keys[k];
      EXPECT_EQ(key.style & kVisible, kVisible);
      EXPECT_EQ(key.cx, keys[0]->cx);
      EXPECT_EQ(key.cy, keys[0]->cy);
      EXPECT_GT(key.cx, 0);
      EXPECT_GT(key.cy, 0);
      // Same row, same top; same column, same left; and each step clears the previous key.
      EXPECT_EQ(key.y, keys[row * 3]->y);
      EXPECT_EQ(key.x, keys[column]->x);
      if (column > 0) {
        EXPECT_GE(key.x, keys[k - 1]->x + keys[k - 1]->cx);
      }
      if (row > 0) {
        EXPECT_GE(key.y, keys[k - 3]->y + keys[k - 3]->cy);
      }
    }
  }
  EXPECT_EQ(keypads, 13);
}

}  // namespace
