// The library's languages: the German resource module against the US English one (every string,
// dialog and menu there, with the same ids, controls and format arguments, and translated), and the
// user-interface language choosing the module that vlmrc.dll's resources come from, US English for
// a language the library has no module for.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "handset/dialog_template.h"
#include "handset/modules.h"
#include "handset/text.h"
#include "support/vlmrc_test.h"

namespace {

using handset::dialogs::DialogTemplate;
using handset::dialogs::ReadDialogTemplate;

constexpr WORD kMenuType = 4, kDialogType = 5, kStringType = 6;
constexpr UINT kSheetTitle = 3098;
constexpr WORD kQueryDialog = 7310;

// Texts a German phone shows as the English one does.
const std::set<std::u16string> kSameInGerman = {u"OK", u"Copyright %c %d"};

std::u16string String(HMODULE module, UINT id) {
  const WCHAR* text = nullptr;
  int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::u16string(text, length) : std::u16string();
}

DialogTemplate Dialog(HMODULE module, WORD id) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
  if (found == nullptr) {
    ADD_FAILURE() << "no dialog " << id;
    return {};
  }
  auto read = ReadDialogTemplate(LockResource(LoadResource(module, found)), SizeofResource(module, found));
  if (!read) ADD_FAILURE() << "dialog " << id << ": " << read.error;
  return read ? *read.dialog : DialogTemplate{};
}

struct MenuItem {
  UINT id;
  std::u16string text;
};

std::vector<MenuItem> MenuItems(HMODULE module, WORD id) {
  std::vector<MenuItem> items;
  HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(id));
  for (UINT position = 0; menu != nullptr; ++position) {
    WCHAR text[64] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = 64;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) break;
    items.push_back({info.wID, text});
  }
  if (menu != nullptr) DestroyMenu(menu);
  return items;
}

std::vector<WORD> NumberedNames(HMODULE module, WORD type) {
  std::vector<WORD> numbers;
  for (const auto& name : handset::ResourceNames(module, type)) {
    if (const WORD* number = std::get_if<WORD>(&name))
      numbers.push_back(*number);
    else
      ADD_FAILURE() << "a resource named " << handset::Utf8(std::get<std::u16string>(name));
  }
  return numbers;
}

// The conversions of a format, in order ("%s%d"): what wsprintfW takes from its arguments.
std::string Conversions(std::u16string_view text) {
  std::string conversions;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') continue;
    std::size_t end = i + 1;
    while (end < text.size() && std::u16string_view(u"-+ #0123456789.lh").find(text[end]) != std::u16string_view::npos)
      ++end;
    if (end < text.size() && text[end] != u'%') conversions += handset::Utf8(text.substr(i, end - i + 1));
    i = end;
  }
  return conversions;
}

class LanguagesTest : public testing_support::VlmrcTest {
 protected:
  void SetUp() override {
    VlmrcTest::SetUp();
    english_ = LoadLibraryW(u"vlmrc.dll.0409.mui");
    german_ = LoadLibraryW(u"vlmrc.dll.0407.mui");
    ASSERT_NE(english_, nullptr) << handset::LastLoadFailure();
    ASSERT_NE(german_, nullptr) << handset::LastLoadFailure();
  }
  void TearDown() override {
    if (german_ != nullptr) FreeLibrary(german_);
    if (english_ != nullptr) FreeLibrary(english_);
    VlmrcTest::TearDown();
  }

  // A German text against its English one: there, translated, and taking the same arguments.
  static void ExpectTranslated(const std::string& where, const std::u16string& english, const std::u16string& german) {
    SCOPED_TRACE(where + ": \"" + handset::Utf8(english) + "\" / \"" + handset::Utf8(german) + "\"");
    EXPECT_FALSE(german.empty());
    EXPECT_EQ(Conversions(german), Conversions(english)) << "the format's arguments differ";
    if (!kSameInGerman.count(english)) {
      EXPECT_NE(german, english) << "not translated";
    }
  }

  HMODULE english_ = nullptr;
  HMODULE german_ = nullptr;
};

TEST_F(LanguagesTest, TheGermanModuleHasEveryStringDialogAndMenuOfUsEnglishTranslated) {
  for (WORD type : {kStringType, kDialogType, kMenuType})
    EXPECT_EQ(NumberedNames(german_, type), NumberedNames(english_, type)) << "resources of type " << type;

  for (WORD block : NumberedNames(english_, kStringType)) {
    for (UINT id = (block - 1u) * 16u; id < block * 16u; ++id) {
      std::u16string english = String(english_, id);
      if (english.empty()) {
        EXPECT_EQ(String(german_, id), u"") << "string " << id << " is German only";
      } else {
        ExpectTranslated("string " + std::to_string(id), english, String(german_, id));
      }
    }
  }

  // The code finds controls by id and class, and gives each its styles: only texts and places differ.
  for (WORD id : NumberedNames(english_, kDialogType)) {
    DialogTemplate english = Dialog(english_, id), german = Dialog(german_, id);
    std::string where = "dialog " + std::to_string(id);
    EXPECT_EQ(german.style, english.style) << where;
    EXPECT_EQ(german.font, english.font) << where;
    ExpectTranslated(where + " caption", english.title, german.title);
    ASSERT_EQ(german.items.size(), english.items.size()) << where;
    for (std::size_t i = 0; i < english.items.size(); ++i) {
      const auto &e = english.items[i], &g = german.items[i];
      std::string item = where + " control " + std::to_string(static_cast<std::int16_t>(e.id));
      EXPECT_EQ(g.id, e.id) << item;
      EXPECT_EQ(g.windowClass, e.windowClass) << item;
      EXPECT_EQ(g.style, e.style) << item;
      if (!e.title.name.empty()) {
        ExpectTranslated(item, e.title.name, g.title.name);
      }
    }
  }

  for (WORD id : NumberedNames(english_, kMenuType)) {
    auto english = MenuItems(english_, id), german = MenuItems(german_, id);
    ASSERT_EQ(german.size(), english.size()) << "menu " << id;
    for (std::size_t i = 0; i < english.size(); ++i) {
      EXPECT_EQ(german[i].id, english[i].id) << "menu " << id;
      ExpectTranslated("menu " + std::to_string(id) + " item " + std::to_string(english[i].id), english[i].text,
                       german[i].text);
    }
  }
}

// The library's own instance handle finds the module of the language now set; a language without
// one of its own shows US English, the language every phone has.
TEST_F(LanguagesTest, TheUserInterfaceLanguageChoosesTheModuleAndOthersGetUsEnglish) {
  const struct {
    LANGID language;
    const char16_t* title;
    const char16_t* waitText;
  } cases[] = {
      {0x0407, u"Videoanruf-Optionen", u"Rufumleitung wird vom Netz abgefragt..."},
      {0x0409, u"Video Call Options", u"Reading the forwarding settings from the network..."},
      {0x040C, u"Video Call Options", u"Reading the forwarding settings from the network..."},  // French: none
      {0x0411, u"Video Call Options", u"Reading the forwarding settings from the network..."},  // Japanese: none
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "language " << std::hex << c.language);
    handset::SetUILanguage(c.language);
    EXPECT_EQ(String(module_, kSheetTitle), c.title);
    DialogTemplate query = Dialog(module_, kQueryDialog);
    ASSERT_FALSE(query.items.empty());
    EXPECT_EQ(query.items.front().title.name, c.waitText);
  }
}

}  // namespace
