// Writing a standard dialog template in memory, for the windows the handset makes from templates
// of its own (the property sheet, the picture picker): the dialog with a font and its controls,
// each named by class.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace handset::dialogs {

struct TemplateControl {
  std::u16string className;
  WORD id;
  DWORD style;
  short x, y, cx, cy;
};

struct TemplateDialog {
  DWORD style;  // DS_SETFONT is added: the template always names its font
  short cx, cy;
  std::u16string title;
  WORD pointSize = 8;
  std::u16string face = u"Tahoma";
  std::vector<TemplateControl> controls;
};

// The template's bytes, DWORD-aligned as a resource's are.
std::vector<std::uint32_t> WriteTemplate(const TemplateDialog& dialog);

}  // namespace handset::dialogs
