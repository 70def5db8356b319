#include "commands/language_option.h"

#include <cctype>
#include <cstdio>

namespace vlmhost {

std::optional<LANGID> ParseLanguageId(const std::string& text, std::string& why) {
  std::string digits = text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.erase(0, 2);
  bool hexadecimal = digits.size() == 4;
  for (char c : digits) hexadecimal = hexadecimal && std::isxdigit(static_cast<unsigned char>(c));
  if (!hexadecimal) {
    why = "'" + text + "' is not a language id: four hexadecimal digits, e.g. 0407 (German) or 0409 (US English)";
    return std::nullopt;
  }
  auto language = static_cast<LANGID>(std::stoul(digits, nullptr, 16));
  if (PRIMARYLANGID(language) == 0) {
    why = "'" + text + "' names no language (its primary language is 0, the neutral one)";
    return std::nullopt;
  }
  return language;
}

std::string LanguageIdText(LANGID language) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(language));
  return text;
}

void AddLanguageOption(CLI::App& app, HostContext& context) {
  app.add_option_function<std::string>(
         "--language",
         [&context](const std::string& text) {
           std::string why;
           context.language = ParseLanguageId(text, why);
           if (!context.language) throw CLI::ValidationError("--language", why);
         },
         "User-interface language of the handset for this run, a language id in hexadecimal: 0409 US English "
         "(the default), 0407 German; the screens of a language the library has no resources for are in US "
         "English")
      ->type_name("LANGID");
}

}  // namespace vlmhost
