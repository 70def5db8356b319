// The standard menu template that the resource compiler writes for a MENU resource, read into a
// menu: what LoadMenuW does with a module's resource.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

namespace handset::menus {

// The menu the template describes, owned by the caller; null (ERROR_BAD_FORMAT) when the bytes
// are cut short, nest too deep or do not end their levels.
HMENU MenuFromTemplate(std::span<const std::byte> bytes);

}  // namespace handset::menus
