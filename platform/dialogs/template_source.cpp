#include "dialogs/template_source.h"

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
  auto holding = loader::Loader().ResourceAt(instance, data);
  if (!holding) return source;
  source.size = holding->size - holding->offset;
  if (holding->type == resources::ResourceId::Number(5) && holding->offset == 0 && holding->name.name.empty())
    source.id = holding->name.number;
  return source;
}

}  // namespace handset::dialogs
