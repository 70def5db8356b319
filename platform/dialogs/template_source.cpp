#include "dialogs/template_source.h"

#include <mutex>

#include "loader/loader_state.h"

namespace handset::dialogs {
namespace {

// The most a template in memory is taken to hold when nothing else bounds it: more than any dialog
// of the platform's 255 controls needs.
constexpr std::size_t kUnboundedTemplate = 0x10000;

}  // namespace

std::optional<TemplateSource> TemplateByName(HINSTANCE instance, LPCWSTR name) {
  HRSRC resource = FindResourceW(instance, name, RT_DIALOG);
  if (!resource) return std::nullopt;
  HGLOBAL loaded = LoadResource(instance, resource);
  if (!loaded) return std::nullopt;
  TemplateSource source{LockResource(loaded), SizeofResource(instance, resource), std::nullopt};
  if (IS_INTRESOURCE(name)) source.id = static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
  return source;
}

TemplateSource TemplateInMemory(HINSTANCE instance, const void* data) {
  TemplateSource source{data, kUnboundedTemplate, std::nullopt};
  auto& loader = loader::Loader();
  std::lock_guard lock(loader.Mutex());
  auto* module = loader.Find(instance);
  if (!module) return source;
  for (const auto& set : loader.ResourceSearchOrder(*module)) {
    const auto* resource = set->Containing(data);
    if (!resource) continue;
    auto offset = static_cast<std::size_t>(static_cast<const std::byte*>(data) - resource->data.data());
    source.size = resource->data.size() - offset;
    if (resource->type == resources::ResourceId::Number(5) && offset == 0 && resource->name.name.empty())
      source.id = resource->name.number;
    return source;
  }
  return source;
}

}  // namespace handset::dialogs
