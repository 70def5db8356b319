// On desktop Windows vlmrc.dll carries the strings, dialogs and menus of each of its languages
// itself, under their language ids, and Windows gives the library those of the thread's language.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "handset/dialog_template.h"
#include "support/vlmrc_test.h"

namespace {

using testing_support::VlmrcTest;

constexpr UINT kSheetTitle = 3098;
constexpr WORD kQueryDialog = 7310;

class LanguagesTest : public VlmrcTest {
 protected:
  void TearDown() override {
    SetThreadUILanguage(originalLanguage_);
    SetThreadLocale(originalLocale_);
    VlmrcTest::TearDown();
  }
  // Desktop Windows looks a module's resources up by the thread's user-interface language, Wine by
  // the thread's locale; a program that changes its language sets both.
  static void UseLanguage(LANGID language) {
    SetThreadUILanguage(language);
    SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
  }

  LANGID originalLanguage_ = GetThreadUILanguage();
  LCID originalLocale_ = GetThreadLocale();
};

TEST_F(LanguagesTest, StringsAndDialogsAreThoseOfTheThreadsLanguage) {
  const struct {
    LANGID language;
    const wchar_t* title;
    const wchar_t* waitText;
  } cases[] = {
      {0x0407, L"Videoanruf-Optionen", L"Rufumleitung wird vom Netz abgefragt..."},
      {0x0409, L"Video Call Options", L"Reading the forwarding settings from the network..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "language " << std::hex << c.language);
    UseLanguage(c.language);
    WCHAR title[64] = {};
    LoadStringW(module_, kSheetTitle, title, 64);
    EXPECT_EQ(std::wstring(title), c.title);

    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(kQueryDialog), MAKEINTRESOURCEW(5));
    ASSERT_NE(found, nullptr);
    auto query = handset::dialogs::ReadDialogTemplate(LockResource(LoadResource(module_, found)),
                                                      SizeofResource(module_, found));
    ASSERT_TRUE(query) << query.error;
    ASSERT_FALSE(query.dialog->items.empty());
    const std::u16string& text = query.dialog->items.front().title.name;
    EXPECT_EQ(std::wstring(text.begin(), text.end()), c.waitText);
  }
}

}  // namespace
