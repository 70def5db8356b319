// vlmhost registry export | import: the device's registry as a .reg file.
#include "commands/argument_checks.h"
#include "commands/commands.h"
#include "handset/registry.h"

namespace vlmhost {

void AddRegistryCommands(CLI::App& app, HostContext& context) {
  auto* group = app.add_subcommand("registry", "The device's registry as a .reg file");
  group->require_subcommand(1);

  auto file = std::make_shared<std::string>();
  auto* exportCommand = group->add_subcommand("export", "Write the whole registry to FILE");
  exportCommand
      ->add_option("FILE", *file,
                   ".reg file to write: a regular file is replaced atomically (through its links, keeping its "
                   "permissions), a FIFO or character device is written into, - is standard output")
      ->required()
      ->check(kNonEmptyPath);
  exportCommand->callback([&context, file] {
    context.Start();
    if (*file == "-") {
      context.out << handset::registry::ExportText();  // the file is the output: nothing else is printed
      return;
    }
    try {
      handset::registry::Export(*file);
    } catch (const std::exception& error) {
      throw CommandError(std::string("nothing exported: ") + error.what());
    }
    context.Print({{"exported", *file}});
  });

  auto* importCommand =
      group->add_subcommand("import", "Merge the keys and values of FILE into the registry (all or nothing)");
  importCommand
      ->add_option("FILE", *file, ".reg file to read (version 5.00 or REGEDIT4): a regular file of at most 16 MiB")
      ->required()
      ->check(kNonEmptyPath);
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
