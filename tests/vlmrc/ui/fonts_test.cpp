// The shared look settings: font quality by user-interface language, the configured faces behind
// the two logical list fonts, fonts built from them, the large-button mode.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "handset/gdi.h"
#include "handset/modules.h"
#include "handset/registry.h"
#include "internals/internals_test.h"

namespace {

namespace registry = handset::registry;

constexpr char kCommonKey[] = "HKLM\\Software\\Zarvo\\SharedResource\\Common";
constexpr char kListViewKey[] = "HKLM\\Software\\Zarvo\\SharedResource\\ListView";
constexpr char kLargeButtonKey[] = "HKLM\\SoftWare\\Zarvo\\Velmora\\LargeBtn";

LOGFONTW Describe(HFONT font) {
  LOGFONTW description{};
  EXPECT_EQ(GetObjectW(font, sizeof description, &description), static_cast<int>(sizeof description));
  return description;
}

class FontsTest : public testing_support::InternalsTest {
 protected:
  // A font made in a fresh copy of the module, so that its caches start empty.
  LOGFONTW FontAfterReload(const char16_t* face) {
    ReloadModule();
    HFONT font = lib_->CreateSharedResourceFont(nullptr, face, 13, 0);
    EXPECT_NE(font, nullptr);
    LOGFONTW description = Describe(font);
    DeleteObject(font);
    return description;
  }
};

TEST_F(FontsTest, QualityFollowsTheLanguageGroupWithItsDefaults) {
  struct Case {
    LANGID language;
    BYTE quality;
  };
  // Without values: anti-aliased for Eastern languages, ClearType for the others.
  for (const Case& c : {Case{0x0409, CLEARTYPE_QUALITY}, Case{0x0410, CLEARTYPE_QUALITY},
                        Case{0x0404, ANTIALIASED_QUALITY}, Case{0x0411, ANTIALIASED_QUALITY},
                        Case{0x0412, ANTIALIASED_QUALITY}, Case{0x0804, ANTIALIASED_QUALITY},
                        Case{0x0413, CLEARTYPE_QUALITY}, Case{0x0C04, CLEARTYPE_QUALITY}}) {
    handset::SetUILanguage(c.language);
    ReloadModule();
    EXPECT_EQ(lib_->GetFontQuality(), c.quality) << std::hex << c.language;
  }
  registry::WriteDword(kCommonKey, "QualityForEastern", 2);
  registry::WriteDword(kCommonKey, "QualityForWestern", 3);
  handset::SetUILanguage(0x0411);
  ReloadModule();
  EXPECT_EQ(lib_->GetFontQuality(), 2);
  handset::SetUILanguage(0x0410);
  ReloadModule();
  EXPECT_EQ(lib_->GetFontQuality(), 3);
}

TEST_F(FontsTest, QualityIsReadOncePerLoadAndOnlyItsLowByteCounts) {
  registry::WriteDword(kCommonKey, "QualityForWestern", 0x105);
  EXPECT_EQ(lib_->GetFontQuality(), 5);
  registry::WriteDword(kCommonKey, "QualityForWestern", 2);
  handset::SetUILanguage(0x0411);
  EXPECT_EQ(lib_->GetFontQuality(), 5) << "neither the value nor the language is looked at again";
}

TEST_F(FontsTest, AStoredQualityOfAllOnesIsReadAgainAtEveryCall) {
  registry::WriteDword(kCommonKey, "QualityForWestern", 0xFFFFFFFF);
  EXPECT_EQ(lib_->GetFontQuality(), 0xFF);
  registry::WriteDword(kCommonKey, "QualityForWestern", 4);
  EXPECT_EQ(lib_->GetFontQuality(), 4);
}

TEST_F(FontsTest, WithoutDeviceContextOrFaceTheFontHasTheGivenHeightWeightAndSharedQuality) {
  auto before = handset::gdi::LiveObjects();
  HFONT font = lib_->CreateSharedResourceFont(nullptr, nullptr, -26, 728);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(handset::gdi::LiveObjects().fonts, before.fonts + 1) << "the caller owns the font";
  LOGFONTW description = Describe(font);
  EXPECT_EQ(description.lfHeight, -26);
  EXPECT_EQ(description.lfWeight, 728);
  EXPECT_EQ(description.lfFaceName[0], 0);
  EXPECT_EQ(description.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(description.lfOutPrecision, OUT_DEFAULT_PRECIS);
  EXPECT_EQ(description.lfClipPrecision, CLIP_DEFAULT_PRECIS);
  EXPECT_EQ(description.lfQuality, CLEARTYPE_QUALITY);
  DeleteObject(font);
}

TEST_F(FontsTest, FromADeviceContextTheWeightIsCombinedByBitwiseOrAndTheRestIsKept) {
  HDC dc = CreateCompatibleDC(nullptr);
  LOGFONTW base{};
  base.lfHeight = 20;
  base.lfWeight = 400;
  base.lfItalic = 1;
  base.lfQuality = DRAFT_QUALITY;
  base.lfClipPrecision = CLIP_STROKE_PRECIS;
  lstrcpyW(base.lfFaceName, u"Tahoma");
  HFONT selected = CreateFontIndirectW(&base);
  HGDIOBJ previous = SelectObject(dc, selected);

  struct Case {
    int weight;
    LONG expected;
  };
  for (const Case& c : {Case{500, 500}, Case{700, 956}, Case{728, 984}, Case{0, 400}}) {
    HFONT font = lib_->CreateSharedResourceFont(dc, nullptr, 13, c.weight);
    ASSERT_NE(font, nullptr);
    LOGFONTW description = Describe(font);
    EXPECT_EQ(description.lfWeight, c.expected) << c.weight;
    EXPECT_EQ(description.lfHeight, 13);
    EXPECT_EQ(description.lfItalic, 1);
    EXPECT_EQ(std::u16string(description.lfFaceName), u"Tahoma");
    EXPECT_EQ(description.lfQuality, CLEARTYPE_QUALITY);
    EXPECT_EQ(description.lfClipPrecision, CLIP_DEFAULT_PRECIS);
    DeleteObject(font);
  }
  SelectObject(dc, previous);
  DeleteObject(selected);
  DeleteDC(dc);
}

TEST_F(FontsTest, ADeviceContextWhoseFontCannotBeReadGivesNoFont) {
  HDC dc = CreateCompatibleDC(nullptr);
  DeleteDC(dc);
  auto before = handset::gdi::LiveObjects();
  EXPECT_EQ(lib_->CreateSharedResourceFont(dc, u"Tahoma", 13, 500), nullptr);
  EXPECT_EQ(handset::gdi::LiveObjects(), before);
}

TEST_F(FontsTest, LogicalFacesBecomeTheConfiguredOnesAndOtherFacesStay) {
  registry::WriteString(kListViewKey, "Title_fontname", u"Title Face");
  registry::WriteString(kListViewKey, "Divider_fontname", u"Divider Face");
  HFONT title = lib_->CreateSharedResourceFont(nullptr, u"HelveticaNeue LT 35 Thin", 13, 0);
  HFONT divider = lib_->CreateSharedResourceFont(nullptr, u"Helvetica Neue OTS", 13, 0);
  HFONT other = lib_->CreateSharedResourceFont(nullptr, u"Helvetica Neue LTd Pro 55 Roman", 13, 0);
  HFONT caseDiffers = lib_->CreateSharedResourceFont(nullptr, u"helvetica neue ots", 13, 0);
  EXPECT_EQ(std::u16string(Describe(title).lfFaceName), u"Title Face");
  EXPECT_EQ(std::u16string(Describe(divider).lfFaceName), u"Divider Face");
  EXPECT_EQ(std::u16string(Describe(other).lfFaceName), u"Helvetica Neue LTd Pro 55 Roman");
  EXPECT_EQ(std::u16string(Describe(caseDiffers).lfFaceName), u"helvetica neue ots");
  for (HFONT font : {title, divider, other, caseDiffers}) DeleteObject(font);
  EXPECT_EQ(std::u16string(lib_->TitleFontName), u"Title Face");
  EXPECT_EQ(std::u16string(lib_->DividerFontName), u"Divider Face");
}

TEST_F(FontsTest, FaceNamesAreReadOnceWithDefaultsForWhatIsMissing) {
  EXPECT_EQ(lib_->TitleFontName[0], 0) << "nothing is read before a face is asked for";
  HFONT font = lib_->CreateSharedResourceFont(nullptr, u"HelveticaNeue LT 35 Thin", 13, 0);
  EXPECT_EQ(std::u16string(Describe(font).lfFaceName), u"HelveticaNeue LT 35 Thin");
  DeleteObject(font);
  EXPECT_EQ(std::u16string(lib_->TitleFontName), u"HelveticaNeue LT 35 Thin");
  EXPECT_EQ(std::u16string(lib_->DividerFontName), u"Helvetica Neue OTS");

  registry::WriteString(kListViewKey, "Title_fontname", u"Too Late");
  font = lib_->CreateSharedResourceFont(nullptr, u"HelveticaNeue LT 35 Thin", 13, 0);
  EXPECT_EQ(std::u16string(Describe(font).lfFaceName), u"HelveticaNeue LT 35 Thin");
  DeleteObject(font);
}

TEST_F(FontsTest, TheSecondReplacementSeesTheResultOfTheFirst) {
  registry::WriteString(kListViewKey, "Title_fontname", u"Helvetica Neue OTS");
  registry::WriteString(kListViewKey, "Divider_fontname", u"Divider Face");
  EXPECT_EQ(std::u16string(FontAfterReload(u"HelveticaNeue LT 35 Thin").lfFaceName), u"Divider Face");
}

TEST_F(FontsTest, AnEmptyTitleWithAMissingDividerIsKeptAndNothingIsReadAgain) {
  registry::WriteString(kListViewKey, "Title_fontname", u"");
  EXPECT_EQ(FontAfterReload(u"HelveticaNeue LT 35 Thin").lfFaceName[0], 0);
  EXPECT_EQ(lib_->TitleFontName[0], 0);
  EXPECT_EQ(std::u16string(lib_->DividerFontName), u"Helvetica Neue OTS");

  registry::WriteString(kListViewKey, "Title_fontname", u"Title Face");
  HFONT font = lib_->CreateSharedResourceFont(nullptr, u"HelveticaNeue LT 35 Thin", 13, 0);
  EXPECT_EQ(Describe(font).lfFaceName[0], 0);
  DeleteObject(font);
}

TEST_F(FontsTest, BothNamesEmptyAreReadAgainAtEveryRequestThatNamesAFace) {
  registry::WriteString(kListViewKey, "Title_fontname", u"");
  registry::WriteString(kListViewKey, "Divider_fontname", u"");
  EXPECT_EQ(FontAfterReload(u"HelveticaNeue LT 35 Thin").lfFaceName[0], 0);
  registry::WriteString(kListViewKey, "Title_fontname", u"Title Face");
  HFONT font = lib_->CreateSharedResourceFont(nullptr, u"HelveticaNeue LT 35 Thin", 13, 0);
  EXPECT_EQ(std::u16string(Describe(font).lfFaceName), u"Title Face");
  DeleteObject(font);
}

TEST_F(FontsTest, NamesThatCannotBeReadFallBackToTheirDefaults) {
  registry::WriteDword(kListViewKey, "Title_fontname", 7);                               // not a string
  registry::WriteString(kListViewKey, "Divider_fontname", std::u16string(260, u'd'));  // no room
  FontAfterReload(u"Tahoma");
  EXPECT_EQ(std::u16string(lib_->TitleFontName), u"HelveticaNeue LT 35 Thin");
  EXPECT_EQ(std::u16string(lib_->DividerFontName), u"Helvetica Neue OTS");
}

TEST_F(FontsTest, FaceNamesLongerThanTheFontRecordHoldsAreCutTo31Characters) {
  const std::u16string longFace = u"A face name of more than thirty-one characters";
  EXPECT_EQ(std::u16string(FontAfterReload(longFace.c_str()).lfFaceName), longFace.substr(0, 31));

  const std::u16string configured(259, u't');
  registry::WriteString(kListViewKey, "Title_fontname", configured);
  EXPECT_EQ(std::u16string(FontAfterReload(u"HelveticaNeue LT 35 Thin").lfFaceName), configured.substr(0, 31));
  EXPECT_EQ(std::u16string(lib_->TitleFontName), configured) << "the configured name itself is kept whole";
}

TEST_F(FontsTest, LargeButtonModeMatchesOnlyAReadableEqualValueAndIsReadAtEveryCall) {
  EXPECT_FALSE(lib_->IsLargeButtonMode(12)) << "no key";
  registry::WriteDword(kLargeButtonKey, "Other", 12);
  EXPECT_FALSE(lib_->IsLargeButtonMode(12)) << "no value";
  registry::WriteDword(kLargeButtonKey, "LargeMode", 12);
  EXPECT_TRUE(lib_->IsLargeButtonMode(12));
  registry::WriteDword(kLargeButtonKey, "LargeMode", 13);
  EXPECT_FALSE(lib_->IsLargeButtonMode(12));
  EXPECT_TRUE(lib_->IsLargeButtonMode(13));
  registry::WriteString(kLargeButtonKey, "LargeMode", u"12");
  EXPECT_FALSE(lib_->IsLargeButtonMode(12)) << "not a DWORD";
}

}  // namespace
