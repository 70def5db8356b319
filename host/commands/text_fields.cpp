#include "commands/text_fields.h"

#include <algorithm>

#include "handset/text.h"
#include "host_context.h"

namespace vlmhost {

std::string FieldText(const WCHAR* field, std::size_t capacity) {
  std::size_t length = std::find(field, field + capacity, u'\0') - field;
  return handset::Utf8(std::u16string_view(field, length));
}

void SetFieldText(WCHAR* field, std::size_t capacity, const std::string& text, const std::string& fieldName) {
  std::u16string wide = handset::Utf16(text);
  if (wide.size() >= capacity)
    throw CommandError(fieldName + " is " + std::to_string(wide.size()) + " units long; at most " +
                       std::to_string(capacity - 1) + " fit");
  std::copy(wide.begin(), wide.end(), field);
  field[wide.size()] = u'\0';
}

}  // namespace vlmhost
