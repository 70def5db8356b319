// LoadMenuW: a module's MENU resource, the standard menu template that the resource compiler writes.
// The template is a header (version 0 and the size of what follows it) and the items of the top
// level; each item is a WORD of MF_* flags, then, unless it opens a popup, a WORD id, then its text
// (UTF-16, terminated). A popup's items follow it; MF_END marks the last item of each level. Every
// read stays within the resource: a template cut short or not ending its levels loads nothing.
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <span>
#include <string>

#include "core/api_guard.h"
#include "menus/menu_objects.h"
#include "menus/menu_template.h"

using handset::core::Guarded;

namespace {

class TemplateReader {
 public:
  explicit TemplateReader(std::span<const std::byte> bytes) : bytes_(bytes) {}

  bool Word(WORD& value) {
    if (bytes_.size() - at_ < sizeof(WORD)) return false;
    std::memcpy(&value, bytes_.data() + at_, sizeof(WORD));
    at_ += sizeof(WORD);
    return true;
  }
  bool Text(std::u16string& text) {
    text.clear();
    for (WORD unit = 0;;) {
      if (!Word(unit)) return false;
      if (unit == 0) return true;
      text += static_cast<char16_t>(unit);
    }
  }
  bool Skip(std::size_t count) {
    if (bytes_.size() - at_ < count) return false;
    at_ += count;
    return true;
  }

 private:
  std::span<const std::byte> bytes_;
  std::size_t at_ = 0;
};

// Menus nest a few levels deep; a template nesting deeper is taken for damaged rather than followed
// down thousands of levels.
constexpr int kMaxDepth = 16;

// Appends the items of one level to `menu`, popups with their own levels, up to the item marked
// MF_END.
bool ReadLevel(TemplateReader& reader, HMENU menu, int depth) {
  if (depth > kMaxDepth) return false;
  for (;;) {
    WORD flags = 0;
    WORD id = 0;
    std::u16string text;
    if (!reader.Word(flags)) return false;
    bool popup = (flags & MF_POPUP) != 0;
    if (!popup && !reader.Word(id)) return false;
    if (!reader.Text(text)) return false;
    UINT itemFlags = flags & ~(MF_END | MF_POPUP);
    UINT_PTR idOrSubmenu = id;
    if (popup) {
      HMENU submenu = CreatePopupMenu();
      if (!submenu) return false;
      // Attached first, so that the menu being built owns it even when its items turn out bad.
      if (!AppendMenuW(menu, itemFlags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text.c_str())) {
        DestroyMenu(submenu);
        return false;
      }
      if (!ReadLevel(reader, submenu, depth + 1)) return false;
    } else {
      // An item without id and text is what the resource compiler writes for a separator.
      if (id == 0 && text.empty()) itemFlags |= MF_SEPARATOR;
      if (!AppendMenuW(menu, itemFlags, idOrSubmenu, text.c_str())) return false;
    }
    if (flags & MF_END) return true;
  }
}

}  // namespace

namespace handset::menus {

HMENU MenuFromTemplate(std::span<const std::byte> bytes) {
  TemplateReader reader(bytes);
  WORD version = 0;
  WORD headerSize = 0;
  if (!reader.Word(version) || !reader.Word(headerSize) || version != 0 || !reader.Skip(headerSize)) {
    SetLastError(ERROR_BAD_FORMAT);
    return nullptr;
  }
  HMENU menu = CreateMenu();
  if (!menu) return nullptr;
  if (!ReadLevel(reader, menu, 0)) {
    DestroyMenu(menu);
    SetLastError(ERROR_BAD_FORMAT);
    return nullptr;
  }
  return menu;
}

}  // namespace handset::menus

extern "C" HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name) {
  return Guarded<HMENU>(nullptr, [&]() -> HMENU {
    HRSRC resource = FindResourceW(instance, name, RT_MENU);
    if (!resource) return nullptr;
    auto* data = static_cast<const std::byte*>(LockResource(LoadResource(instance, resource)));
    if (!data) return nullptr;
    return handset::menus::MenuFromTemplate(std::span(data, SizeofResource(instance, resource)));
  });
}
