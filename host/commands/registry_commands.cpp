// vlmhost registry export | import: the device's registry as a .reg file.
#include "commands/commands.h"
#include "handset/registry.h"

namespace vlmhost {

void AddRegistryCommands(CLI::App& app, HostContext& context) {
  auto* group = app.add_subcommand("registry", "The device's registry as a .reg file");
  group->require_subcommand(1);

  auto file = std::make_shared<std::string>();
  auto* exportCommand = group->add_subcommand("export", "Write the whole registry to FILE");
  exportCommand->add_option("FILE", *file, ".reg file to write")->required();
  exportCommand->callback([&context, file] {
    context.Start();
    handset::registry::Export(*file);
    context.Print({{"exported", *file}});
  });

  auto* importCommand =
      group->add_subcommand("import", "Merge the keys and values of FILE into the registry (all or nothing)");
  importCommand->add_option("FILE", *file, ".reg file to read")->required()->check(CLI::ExistingFile);
  importCommand->callback([&context, file] {
    context.Start();
    try {
      handset::registry::Import(*file);
    } catch (const std::exception& error) {
      throw CommandError(std::string("nothing imported: ") + error.what());
    }
    context.Print({{"imported", *file}});
  });
}

}  // namespace vlmhost
