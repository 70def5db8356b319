// Reader of dialog templates in the platform's published binary format: the standard form
// (DLGTEMPLATE followed by DLGITEMTEMPLATE items) and the extended form (DLGTEMPLATEEX with
// DLGITEMTEMPLATEEX items). The dialog manager, the host simulator and the tests all read templates
// through it.
//
// The reader never looks past the bytes it is given: a template that ends early or whose strings
// are not terminated is refused with a message that names the field and its offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace handset::dialogs {

// A template field that holds either an ordinal (stored as 0xFFFF followed by the ordinal) or a
// UTF-16 name. An absent field (a single 0x0000) is an empty name.
struct NameOrOrdinal {
  std::optional<std::uint16_t> ordinal;
  std::u16string name;

  bool IsEmpty() const { return !ordinal && name.empty(); }
  bool operator==(const NameOrOrdinal&) const = default;
};

// The dialog font, present exactly when the template's style has DS_SETFONT.
struct DialogFont {
  std::uint16_t pointSize = 0;
  std::uint16_t weight = 0;  // extended templates only
  bool italic = false;       // extended templates only
  std::uint8_t charset = 0;  // extended templates only
  std::u16string face;

  bool operator==(const DialogFont&) const = default;
};

struct DialogItem {
  std::uint32_t helpId = 0;  // extended templates only
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t cx = 0;
  std::int16_t cy = 0;
  std::uint32_t id = 0;                    // 16 bits wide in standard templates, 32 in extended ones
  NameOrOrdinal windowClass;               // the system classes are the ordinals 0x0080-0x0085
  NameOrOrdinal title;                     // text, or the ordinal of a resource such as a static's icon
  std::vector<std::uint8_t> creationData;  // the bytes after the size word, without it
};

struct DialogTemplate {
  bool extended = false;
  std::uint32_t helpId = 0;  // extended templates only
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t cx = 0;
  std::int16_t cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::u16string title;
  std::optional<DialogFont> font;
  std::vector<DialogItem> items;
};

// A read template, or why the bytes are not one.
struct DialogTemplateResult {
  std::optional<DialogTemplate> dialog;
  std::string error;  // empty when dialog is set

  explicit operator bool() const { return dialog.has_value(); }
};

// Reads the template held in bytes; offsets (and the DWORD alignment of the items) count from the
// first byte, as in a resource or an in-memory template.
DialogTemplateResult ReadDialogTemplate(std::span<const std::uint8_t> bytes);
DialogTemplateResult ReadDialogTemplate(const void* data, std::size_t size);

// The window class an item names, readably: "BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR" or
// "COMBOBOX" for the system ordinals, the name itself for a named class, "#n" for any other
// ordinal.
std::u16string ControlClassName(const NameOrOrdinal& windowClass);

}  // namespace handset::dialogs
