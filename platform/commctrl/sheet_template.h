// The dialog template the property sheet is made from: a captioned pop-up with the sheet's font
// and one control, the tab control (id 0x3020). The sheet callback sees it at PSCB_PRECREATE and
// may change it in place before the sheet is made.
#pragma once

#include <cstdint>
#include <vector>

namespace handset::commctrl {

inline constexpr int kSheetTabControlId = 0x3020;

// Standard template bytes (DLGTEMPLATE, then one DLGITEMTEMPLATE), DWORD-aligned in the vector.
std::vector<std::uint32_t> SheetTemplate();

}  // namespace handset::commctrl
