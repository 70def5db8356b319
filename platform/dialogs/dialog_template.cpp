// Reading dialog templates: a bounded little-endian cursor over the bytes, and the layout of the
// standard and the extended form on top of it. Any read that would pass the end throws Malformed
// inside this file; ReadDialogTemplate turns it into the result's message.
#include "handset/dialog_template.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

namespace handset::dialogs {
namespace {

constexpr std::uint32_t kDsSetFont = 0x40;
constexpr std::uint16_t kOrdinalMark = 0xFFFF;
constexpr std::uint16_t kExtendedVersion = 1;
// Size of a standard item header; no item can be shorter, which bounds the items to reserve.
constexpr std::size_t kSmallestItem = 18;

class Malformed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Cursor {
 public:
  explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Offset() const { return offset_; }
  std::size_t Left() const { return bytes_.size() - offset_; }

  std::uint8_t Byte(std::string_view what) { return static_cast<std::uint8_t>(Take(1, what)[0]); }
  std::uint16_t Word(std::string_view what) {
    auto p = Take(2, what);
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
  }
  std::uint32_t Dword(std::string_view what) {
    auto p = Take(4, what);
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  }
  std::int16_t Short(std::string_view what) { return static_cast<std::int16_t>(Word(what)); }

  std::vector<std::uint8_t> Bytes(std::size_t count, std::string_view what) {
    auto p = Take(count, what);
    return {p.begin(), p.end()};
  }

  // A zero-terminated UTF-16 string; the terminator must lie inside the bytes.
  std::u16string String(std::string_view what) {
    std::size_t start = offset_;
    std::u16string text;
    for (;;) {
      if (Left() < 2) Fail(std::string(what) + " at offset " + std::to_string(start) + " is not terminated");
      std::uint16_t unit = Word(what);
      if (unit == 0) return text;
      text.push_back(static_cast<char16_t>(unit));
    }
  }

  // A string, or 0xFFFF and a 16-bit ordinal.
  NameOrOrdinal NameOrOrdinalField(std::string_view what) {
    NameOrOrdinal field;
    if (Left() >= 2 && Peek() == kOrdinalMark) {
      Word(what);
      field.ordinal = Word(what);
    } else {
      field.name = String(what);
    }
    return field;
  }

  void AlignToDword(std::string_view what) {
    std::size_t pad = (4 - offset_ % 4) % 4;
    Take(pad, what);
  }

  [[noreturn]] static void Fail(const std::string& message) { throw Malformed(message); }

 private:
  std::uint16_t Peek() const {
    return static_cast<std::uint16_t>(bytes_[offset_] | bytes_[offset_ + 1] << 8);
  }

  std::span<const std::uint8_t> Take(std::size_t count, std::string_view what) {
    if (Left() < count)
      Fail("truncated: " + std::string(what) + " at offset " + std::to_string(offset_) + " needs " +
           std::to_string(count) + " bytes, " + std::to_string(Left()) + " left");
    auto part = bytes_.subspan(offset_, count);
    offset_ += count;
    return part;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t offset_ = 0;
};

std::string ItemName(std::size_t index, std::string_view field) {
  return "item " + std::to_string(index + 1) + " " + std::string(field);
}

DialogItem ReadItem(Cursor& in, bool extended, std::size_t index) {
  auto what = [index](std::string_view field) { return ItemName(index, field); };
  in.AlignToDword(what("alignment"));
  DialogItem item;
  if (extended) {
    item.helpId = in.Dword(what("help id"));
    item.exStyle = in.Dword(what("extended style"));
    item.style = in.Dword(what("style"));
  } else {
    item.style = in.Dword(what("style"));
    item.exStyle = in.Dword(what("extended style"));
  }
  item.x = in.Short(what("x"));
  item.y = in.Short(what("y"));
  item.cx = in.Short(what("width"));
  item.cy = in.Short(what("height"));
  item.id = extended ? in.Dword(what("id")) : in.Word(what("id"));
  item.windowClass = in.NameOrOrdinalField(what("class"));
  item.title = in.NameOrOrdinalField(what("title"));
  // The size word counts the creation bytes that follow it.
  std::uint16_t dataSize = in.Word(what("creation data size"));
  item.creationData = in.Bytes(dataSize, what("creation data"));
  return item;
}

DialogTemplate Read(Cursor& in) {
  DialogTemplate dialog;
  std::uint16_t version = in.Word("header");
  std::uint16_t signature = in.Word("header");
  if (signature == kOrdinalMark) {
    if (version != kExtendedVersion)
      Cursor::Fail("extended template of unknown version " + std::to_string(version));
    dialog.extended = true;
    dialog.helpId = in.Dword("help id");
    dialog.exStyle = in.Dword("extended style");
    dialog.style = in.Dword("style");
  } else {
    // The standard form begins with the style, whose two halves were just read.
    dialog.style = static_cast<std::uint32_t>(version) | static_cast<std::uint32_t>(signature) << 16;
    dialog.exStyle = in.Dword("extended style");
  }
  std::uint16_t count = in.Word("item count");
  dialog.x = in.Short("x");
  dialog.y = in.Short("y");
  dialog.cx = in.Short("width");
  dialog.cy = in.Short("height");
  dialog.menu = in.NameOrOrdinalField("menu");
  dialog.windowClass = in.NameOrOrdinalField("class");
  dialog.title = in.String("title");
  if (dialog.style & kDsSetFont) {
    DialogFont font;
    font.pointSize = in.Word("font size");
    if (dialog.extended) {
      font.weight = in.Word("font weight");
      font.italic = in.Byte("font italic") != 0;
      font.charset = in.Byte("font charset");
    }
    font.face = in.String("font face");
    dialog.font = std::move(font);
  }
  dialog.items.reserve(std::min<std::size_t>(count, in.Left() / kSmallestItem));
  for (std::size_t i = 0; i < count; ++i) dialog.items.push_back(ReadItem(in, dialog.extended, i));
  return dialog;
}

}  // namespace

DialogTemplateResult ReadDialogTemplate(std::span<const std::uint8_t> bytes) {
  Cursor in(bytes);
  try {
    return {Read(in), {}};
  } catch (const Malformed& fault) {
    return {std::nullopt, fault.what()};
  }
}

DialogTemplateResult ReadDialogTemplate(const void* data, std::size_t size) {
  if (!data) return {std::nullopt, "no template"};
  return ReadDialogTemplate(std::span(static_cast<const std::uint8_t*>(data), size));
}

std::u16string ControlClassName(const NameOrOrdinal& windowClass) {
  static constexpr std::array<std::u16string_view, 6> kSystemClasses = {
      u"BUTTON", u"EDIT", u"STATIC", u"LISTBOX", u"SCROLLBAR", u"COMBOBOX"};
  constexpr std::uint16_t kFirstSystemClass = 0x0080;
  if (!windowClass.ordinal) return windowClass.name;
  std::uint16_t ordinal = *windowClass.ordinal;
  if (ordinal >= kFirstSystemClass && ordinal < kFirstSystemClass + kSystemClasses.size())
    return std::u16string(kSystemClasses[ordinal - kFirstSystemClass]);
  std::u16string name = u"#";
  for (char digit : std::to_string(ordinal)) name += static_cast<char16_t>(digit);
  return name;
}

}  // namespace handset::dialogs
