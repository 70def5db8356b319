// vlmhost status: where the device lives, the user-interface language, which library was loaded and
// which exports it offers.
#include <vlmrc/vlmrc.h>

#include "commands/commands.h"
#include "commands/language_option.h"
#include "commands/text_fields.h"
#include "handset/handset.h"
#include "handset/modules.h"

namespace vlmhost {

void AddStatusCommand(CLI::App& app, HostContext& context) {
  app.add_subcommand("status",
                     "Show the device folder, the user-interface language, the loaded library and the exports it offers")
      ->callback([&context] {
        context.Start();
        Json result;
        result["device folder"] = context.deviceFolder.string();
        result["language"] = LanguageIdText(handset::UILanguage());
        WCHAR path[MAX_PATH] = {};
        GetModuleFileNameW(context.Module(), path, MAX_PATH);
        result["library"] = FieldText(path, MAX_PATH);
        Json present = Json::array();
        Json missing = Json::array();
        for (const auto& entry : kVlmrcExports) {
          std::u16string name(entry.name, entry.name + std::char_traits<char>::length(entry.name));
          FARPROC byName = GetProcAddressW(context.Module(), name.c_str());
          bool found = byName != nullptr && byName == GetProcAddressW(context.Module(), MAKEINTRESOURCEW(entry.ordinal));
          (found ? present : missing).push_back(std::string(entry.name) + " @" + std::to_string(entry.ordinal));
        }
        result["exports present"] = present;
        result["exports not built yet"] = missing;
        context.Print(result);
      });
}

}  // namespace vlmhost
