// vlmhost templates list | show: the phone-screen layout templates that the host reads from
// vlmrc.dll's resources.
#include <windows.h>

#include <cstdio>
#include <span>
#include <variant>

#include "commands/commands.h"
#include "handset/dialog_template.h"
#include "handset/modules.h"
#include "handset/text.h"

namespace vlmhost {
namespace {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%X", value);
  return text;
}

std::string KeyText(const handset::ResourceKey& key) {
  return std::holds_alternative<WORD>(key) ? std::to_string(std::get<WORD>(key))
                                           : handset::Utf8(std::get<std::u16string>(key));
}

std::string NameText(const handset::dialogs::NameOrOrdinal& field) {
  return field.ordinal ? "#" + std::to_string(*field.ordinal) : handset::Utf8(field.name);
}

// The template of that id ("8124") or name, read from the library's resources.
handset::dialogs::DialogTemplate ReadTemplate(HMODULE module, const std::string& idOrName) {
  std::u16string name = handset::Utf16(idOrName);
  bool numeric = !idOrName.empty() && idOrName.find_first_not_of("0123456789") == std::string::npos;
  if (numeric && std::stoul(idOrName) > 0xFFFF) throw CommandError("template id " + idOrName + " is out of range");
  LPCWSTR resourceName = numeric ? MAKEINTRESOURCEW(std::stoul(idOrName)) : name.c_str();
  HRSRC resource = FindResourceW(module, resourceName, RT_DIALOG);
  if (resource == nullptr) throw CommandError("vlmrc.dll has no layout template " + idOrName);
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, resource)));
  auto read = handset::dialogs::ReadDialogTemplate(std::span(bytes, SizeofResource(module, resource)));
  if (!read) throw CommandError("layout template " + idOrName + " cannot be read: " + read.error);
  return *read.dialog;
}

Json Summary(const handset::dialogs::DialogTemplate& dialog) {
  Json summary = {{"size", std::to_string(dialog.cx) + " x " + std::to_string(dialog.cy)},
                            {"style", Hex(dialog.style)},
                            {"exStyle", Hex(dialog.exStyle)},
                            {"controls", dialog.items.size()}};
  summary["font"] = dialog.font ? std::to_string(dialog.font->pointSize) + " pt " + handset::Utf8(dialog.font->face)
                                : std::string("none");
  return summary;
}

}  // namespace

void AddTemplateCommands(CLI::App& app, HostContext& context) {
  auto* group = app.add_subcommand("templates", "The phone-screen layout templates in vlmrc.dll's resources");
  group->require_subcommand(1);

  group->add_subcommand("list", "Every template with its size, style, font and control count")->callback([&context] {
    Json list = Json::array();
    for (const auto& key : handset::ResourceNames(context.Module(), WORD(5))) {
      Json entry = {{"id", KeyText(key)}};
      entry.update(Summary(ReadTemplate(context.Module(), KeyText(key))));
      list.push_back(entry);
    }
    context.Print({{"templates", list}});
  });

  auto idOrName = std::make_shared<std::string>();
  auto* show = group->add_subcommand("show", "One template with each control in order");
  show->add_option("ID", *idOrName, "numeric id or resource name")->required();
  show->callback([&context, idOrName] {
    auto dialog = ReadTemplate(context.Module(), *idOrName);
    Json result = {{"id", *idOrName}};
    result.update(Summary(dialog));
    Json controls = Json::array();
    for (std::size_t i = 0; i < dialog.items.size(); ++i) {
      const auto& item = dialog.items[i];
      controls.push_back({{"order", i + 1},
                          {"id", item.id},
                          {"class", handset::Utf8(handset::dialogs::ControlClassName(item.windowClass))},
                          {"style", Hex(item.style)},
                          {"rect", {item.x, item.y, item.cx, item.cy}},
                          {"title", NameText(item.title)}});
    }
    result["controls"] = controls;
    context.Print(result);
  });
}

}  // namespace vlmhost
