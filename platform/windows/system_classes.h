// The global classes every handset starts with: the standard controls and the dialog class.
#pragma once

#include <vector>

#include <windows.h>

namespace handset::windows {

// The dialog class, as Windows CE names it.
inline constexpr WCHAR kDialogClass[] = u"Dialog";

std::vector<WNDCLASSW> SystemClasses();

}  // namespace handset::windows
