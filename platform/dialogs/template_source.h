// Where a dialog's template comes from: a resource of a module found by name, or bytes a caller
// hands in. The bytes a template may take are bounded by its resource when it is one, so that a
// template cut short is refused rather than read past.
#pragma once

#include <cstddef>
#include <optional>

#include <windows.h>

namespace handset::dialogs {

struct TemplateSource {
  const void* data = nullptr;
  std::size_t size = 0;
  std::optional<int> id;  // the resource id, when the template is a numbered resource
};

// The RT_DIALOG resource `name` of `instance`.
std::optional<TemplateSource> TemplateByName(HINSTANCE instance, LPCWSTR name);

// A template in memory. When `data` lies in a loaded dialog resource of `instance`, that resource
// bounds it and names it; otherwise the template is read as far as its own fields reach.
TemplateSource TemplateInMemory(HINSTANCE instance, const void* data);

}  // namespace handset::dialogs
