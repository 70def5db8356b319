#include "handset/dialog_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using handset::dialogs::ControlClassName;
using handset::dialogs::DialogTemplate;
using handset::dialogs::NameOrOrdinal;
using handset::dialogs::ReadDialogTemplate;

// Writes templates the way a resource compiler lays them out.
class TemplateBytes {
 public:
  TemplateBytes& Word(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
  }
  TemplateBytes& Dword(std::uint32_t v) {
    return Word(static_cast<std::uint16_t>(v)).Word(static_cast<std::uint16_t>(v >> 16));
  }
  TemplateBytes& Byte(std::uint8_t v) {
    bytes_.push_back(v);
    return *this;
  }
  TemplateBytes& Text(std::u16string_view s) {
    for (char16_t c : s) Word(c);
    return Word(0);
  }
  TemplateBytes& Ordinal(std::uint16_t v) { return Word(0xFFFF).Word(v); }
  TemplateBytes& Rect(std::int16_t x, std::int16_t y, std::int16_t cx, std::int16_t cy) {
    return Word(static_cast<std::uint16_t>(x))
        .Word(static_cast<std::uint16_t>(y))
        .Word(static_cast<std::uint16_t>(cx))
        .Word(static_cast<std::uint16_t>(cy));
  }
  TemplateBytes& AlignDword() {
    while (bytes_.size() % 4) bytes_.push_back(0);
    return *this;
  }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// A standard template with a font, a menu ordinal, a class name, a title and three items that use
// every form of the variable fields; the odd-sized creation data forces padding before item 3.
std::vector<std::uint8_t> StandardTemplate() {
  TemplateBytes t;
  t.Dword(0x80C80040).Dword(0x00000001).Word(3).Rect(2, 4, 160, 90);
  t.Ordinal(7).Text(u"MyDialog").Text(u"Title").Word(8).Text(u"Tahoma");
  t.AlignDword()
      .Dword(0x50010000)
      .Dword(0x200)
      .Rect(-1, 0, 50, 14)
      .Word(1)
      .Ordinal(0x0080)
      .Text(u"OK")
      .Word(0);
  t.AlignDword()
      .Dword(0x50000003)
      .Dword(0)
      .Rect(5, 6, 7, 8)
      .Word(2)
      .Ordinal(0x0082)
      .Ordinal(101)
      .Word(3)
      .Byte(0xAA)
      .Byte(0xBB)
      .Byte(0xCC);
  t.AlignDword()
      .Dword(0x40000000)
      .Dword(0)
      .Rect(999, 10, 20, 30)
      .Word(23057)
      .Text(u"MS_PHONE_LAYOUTHELPER")
      .Word(0)
      .Word(0);
  return t.Bytes();
}

// An extended template with two items.
std::vector<std::uint8_t> ExtendedTemplate() {
  TemplateBytes t;
  t.Word(1).Word(0xFFFF).Dword(77).Dword(0x80000000).Dword(0x90C00040).Word(2).Rect(0, 0, 240, 320);
  t.Word(0).Word(0).Text(u"Ex").Word(11).Word(700).Byte(1).Byte(128).Text(u"Tahoma");
  t.AlignDword()
      .Dword(5)
      .Dword(0x4)
      .Dword(0x50810080)
      .Rect(10, 10, 50, 50)
      .Dword(0x12345)
      .Ordinal(0x0081)
      .Word(0)
      .Word(2)
      .Word(0xBEEF);
  t.AlignDword()
      .Dword(0)
      .Dword(0)
      .Dword(0x5081480D)
      .Rect(4, 53, 232, 150)
      .Dword(23034)
      .Text(u"SysListView32")
      .Text(u"x")
      .Word(0);
  return t.Bytes();
}

TEST(DialogTemplateReader, ReadsEveryFieldOfAStandardTemplate) {
  auto result = ReadDialogTemplate(StandardTemplate());
  ASSERT_TRUE(result) << result.error;
  const DialogTemplate& d = *result.dialog;
  EXPECT_FALSE(d.extended);
  EXPECT_EQ(d.style, 0x80C80040u);
  EXPECT_EQ(d.exStyle, 1u);
  EXPECT_EQ(std::vector<int>({d.x, d.y, d.cx, d.cy}), std::vector<int>({2, 4, 160, 90}));
  EXPECT_EQ(d.menu, (NameOrOrdinal{7, u""}));
  EXPECT_EQ(d.windowClass, (NameOrOrdinal{std::nullopt, u"MyDialog"}));
  EXPECT_EQ(d.title, u"Title");
  ASSERT_TRUE(d.font);
  EXPECT_EQ(d.font->pointSize, 8);
  EXPECT_EQ(d.font->face, u"Tahoma");
  ASSERT_EQ(d.items.size(), 3u);

  EXPECT_EQ(d.items[0].style, 0x50010000u);
  EXPECT_EQ(d.items[0].exStyle, 0x200u);
  EXPECT_EQ(std::vector<int>({d.items[0].x, d.items[0].y, d.items[0].cx, d.items[0].cy}),
            std::vector<int>({-1, 0, 50, 14}));
  EXPECT_EQ(d.items[0].id, 1u);
  EXPECT_EQ(ControlClassName(d.items[0].windowClass), u"BUTTON");
  EXPECT_EQ(d.items[0].title.name, u"OK");
  EXPECT_TRUE(d.items[0].creationData.empty());

  EXPECT_EQ(ControlClassName(d.items[1].windowClass), u"STATIC");
  EXPECT_EQ(d.items[1].title, (NameOrOrdinal{101, u""}));
  EXPECT_EQ(d.items[1].creationData, (std::vector<std::uint8_t>{0xAA, 0xBB, 0xCC}));

  EXPECT_EQ(d.items[2].id, 23057u);
  EXPECT_EQ(d.items[2].x, 999);
  EXPECT_EQ(ControlClassName(d.items[2].windowClass), u"MS_PHONE_LAYOUTHELPER");
  EXPECT_TRUE(d.items[2].title.IsEmpty());
}

TEST(DialogTemplateReader, ReadsEveryFieldOfAnExtendedTemplate) {
  auto result = ReadDialogTemplate(ExtendedTemplate());
  ASSERT_TRUE(result) << result.error;
  const DialogTemplate& d = *result.dialog;
  EXPECT_TRUE(d.extended);
  EXPECT_EQ(d.helpId, 77u);
  EXPECT_EQ(d.exStyle, 0x80000000u);
  EXPECT_EQ(d.style, 0x90C00040u);
  EXPECT_TRUE(d.menu.IsEmpty());
  EXPECT_TRUE(d.windowClass.IsEmpty());
  EXPECT_EQ(d.title, u"Ex");
  ASSERT_TRUE(d.font);
  EXPECT_EQ(*d.font, (handset::dialogs::DialogFont{11, 700, true, 128, u"Tahoma"}));
  ASSERT_EQ(d.items.size(), 2u);
  EXPECT_EQ(d.items[0].helpId, 5u);
  EXPECT_EQ(d.items[0].exStyle, 4u);
  EXPECT_EQ(d.items[0].style, 0x50810080u);
  EXPECT_EQ(d.items[0].id, 0x12345u);  // extended ids are 32 bits wide
  EXPECT_EQ(ControlClassName(d.items[0].windowClass), u"EDIT");
  EXPECT_EQ(d.items[0].creationData, (std::vector<std::uint8_t>{0xEF, 0xBE}));
  EXPECT_EQ(d.items[1].style, 0x5081480Du);
  EXPECT_EQ(d.items[1].id, 23034u);
  EXPECT_EQ(ControlClassName(d.items[1].windowClass), u"SysListView32");
  EXPECT_EQ(d.items[1].title.name, u"x");
}

TEST(DialogTemplateReader, ReadsNoFontWithoutSetFontStyle) {
  // Without DS_SETFONT the first item follows the title at once; a font read would swallow it.
  TemplateBytes t;
  t.Dword(0x8000).Dword(0x2000000).Word(1).Rect(0, 0, 240, 320).Word(0).Word(0).Word(0);
  t.AlignDword()
      .Dword(0x50000000)
      .Dword(0)
      .Rect(6, 0, 237, 23)
      .Word(23056)
      .Text(u"MS_PHONE_INVALIDPHONE")
      .Word(0)
      .Word(0);
  auto result = ReadDialogTemplate(t.Bytes());
  ASSERT_TRUE(result) << result.error;
  EXPECT_FALSE(result.dialog->font);
  ASSERT_EQ(result.dialog->items.size(), 1u);
  EXPECT_EQ(result.dialog->items[0].id, 23056u);
  EXPECT_EQ(result.dialog->items[0].cx, 237);
}

TEST(DialogTemplateReader, RefusesEveryTruncationWithoutReadingPastTheEnd) {
  // Each prefix lives in a buffer of exactly its size, so a read past it trips the sanitizer.
  for (const auto& whole : {StandardTemplate(), ExtendedTemplate()}) {
    ASSERT_TRUE(ReadDialogTemplate(whole));
    for (std::size_t size = 0; size < whole.size(); ++size) {
      std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
      auto result = ReadDialogTemplate(prefix);
      EXPECT_FALSE(result) << "prefix of " << size << " bytes";
      EXPECT_TRUE(result.error.find("truncated") != std::string::npos ||
                  result.error.find("not terminated") != std::string::npos)
          << result.error;
    }
  }
}

TEST(DialogTemplateReader, NamesTheFaultOfAMalformedTemplate) {
  TemplateBytes more;  // claims two items, holds one
  more.Dword(0x8000).Dword(0).Word(2).Rect(0, 0, 1, 1).Word(0).Word(0).Word(0);
  more.AlignDword().Dword(0x50000000).Dword(0).Rect(0, 0, 1, 1).Word(1).Ordinal(0x0082).Word(0).Word(0);
  auto result = ReadDialogTemplate(more.Bytes());
  EXPECT_FALSE(result);
  EXPECT_NE(result.error.find("item 2"), std::string::npos) << result.error;

  TemplateBytes open;  // the font face runs to the end without a terminator
  open.Dword(0x40).Dword(0).Word(0).Rect(0, 0, 1, 1).Word(0).Word(0).Word(0).Word(10).Word(u'S').Word(u'y');
  result = ReadDialogTemplate(open.Bytes());
  EXPECT_FALSE(result);
  EXPECT_NE(result.error.find("font face at offset 26 is not terminated"), std::string::npos) << result.error;

  TemplateBytes data;  // creation data longer than what is left
  data.Dword(0).Dword(0).Word(1).Rect(0, 0, 1, 1).Word(0).Word(0).Word(0);
  data.AlignDword().Dword(0).Dword(0).Rect(0, 0, 1, 1).Word(1).Ordinal(0x0080).Word(0).Word(40).Dword(0);
  result = ReadDialogTemplate(data.Bytes());
  EXPECT_FALSE(result);
  EXPECT_NE(result.error.find("item 1 creation data"), std::string::npos) << result.error;

  TemplateBytes version;
  version.Word(2).Word(0xFFFF).Dword(0).Dword(0).Dword(0).Word(0).Rect(0, 0, 1, 1).Word(0).Word(0).Word(0);
  result = ReadDialogTemplate(version.Bytes());
  EXPECT_FALSE(result);
  EXPECT_NE(result.error.find("unknown version 2"), std::string::npos) << result.error;

  EXPECT_FALSE(ReadDialogTemplate(nullptr, 16));
}

TEST(DialogTemplateReader, NamesControlClassesReadably) {
  const std::u16string expected[] = {u"BUTTON", u"EDIT", u"STATIC", u"LISTBOX", u"SCROLLBAR", u"COMBOBOX"};
  for (std::uint16_t atom = 0x0080; atom <= 0x0085; ++atom)
    EXPECT_EQ(ControlClassName(NameOrOrdinal{atom, u""}), expected[atom - 0x0080]);
  EXPECT_EQ(ControlClassName(NameOrOrdinal{0x0086, u""}), u"#134");
  EXPECT_EQ(ControlClassName(NameOrOrdinal{0x007F, u""}), u"#127");
  EXPECT_EQ(ControlClassName(NameOrOrdinal{std::nullopt, u"CUST_PHONE_STATUSICONS"}),
            u"CUST_PHONE_STATUSICONS");
}

}  // namespace
