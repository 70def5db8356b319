// The loader's part of the handset control API.
#include "handset/modules.h"
#include "loader/loader_state.h"

namespace handset {

void RegisterModule(std::u16string_view fileName, InMemoryModule module) {
  loader::Loader().Register(fileName, std::move(module));
}

void RemoveModule(std::u16string_view fileName) { loader::Loader().Remove(fileName); }

void SetUILanguage(LANGID language) { loader::Loader().SetLanguage(language); }

LANGID UILanguage() { return loader::Loader().Language(); }

std::vector<ResourceKey> ResourceNames(HMODULE module, ResourceKey type) {
  auto& loader = loader::Loader();
  std::lock_guard lock(loader.Mutex());
  loader::Module* found = loader.Find(module);
  if (found == nullptr || found->resources == nullptr) return {};
  auto typeId = std::holds_alternative<WORD>(type) ? resources::ResourceId::Number(std::get<WORD>(type))
                                                   : resources::ResourceId::Name(std::get<std::u16string>(type));
  std::vector<ResourceKey> names;
  for (const auto& name : found->resources->Names(typeId)) {
    if (name.name.empty())
      names.emplace_back(name.number);
    else
      names.emplace_back(name.name);
  }
  return names;
}

std::string LastLoadFailure() { return loader::Loader().LastFailure(); }

}  // namespace handset
