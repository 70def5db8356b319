// The loader's part of the handset control API.
#include "handset/modules.h"
#include "loader/loader_state.h"

namespace handset {

void RegisterModule(std::u16string_view fileName, InMemoryModule module) {
  loader::Loader().Register(fileName, std::move(module));
}

void SetUILanguage(LANGID language) { loader::Loader().SetLanguage(language); }

LANGID UILanguage() { return loader::Loader().Language(); }

std::string LastLoadFailure() { return loader::Loader().LastFailure(); }

}  // namespace handset
