#include "dialogs/template_writer.h"

#include <cstring>

namespace handset::dialogs {
namespace {

class Writer {
 public:
  void Word(std::uint16_t value) { Bytes(&value, sizeof value); }
  void Dword(std::uint32_t value) { Bytes(&value, sizeof value); }
  void Text(const std::u16string& text) {
    for (char16_t c : text) Word(static_cast<std::uint16_t>(c));
    Word(0);
  }
  void AlignToDword() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }
  std::vector<std::uint32_t> Take() {
    AlignToDword();
    std::vector<std::uint32_t> words(bytes_.size() / 4);
    std::memcpy(words.data(), bytes_.data(), bytes_.size());
    return words;
  }

 private:
  void Bytes(const void* data, std::size_t size) {
    auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  std::vector<std::uint8_t> bytes_;
};

}  // namespace

std::vector<std::uint32_t> WriteTemplate(const TemplateDialog& dialog) {
  Writer w;
  w.Dword(dialog.style | DS_SETFONT);
  w.Dword(0);  // extended style
  w.Word(static_cast<std::uint16_t>(dialog.controls.size()));
  w.Word(0);  // x
  w.Word(0);  // y
  w.Word(static_cast<std::uint16_t>(dialog.cx));
  w.Word(static_cast<std::uint16_t>(dialog.cy));
  w.Word(0);  // no menu
  w.Word(0);  // the dialog class
  w.Text(dialog.title);
  w.Word(dialog.pointSize);
  w.Text(dialog.face);
  for (const auto& c : dialog.controls) {
    w.AlignToDword();
    w.Dword(c.style);
    w.Dword(0);
    w.Word(static_cast<std::uint16_t>(c.x));
    w.Word(static_cast<std::uint16_t>(c.y));
    w.Word(static_cast<std::uint16_t>(c.cx));
    w.Word(static_cast<std::uint16_t>(c.cy));
    w.Word(c.id);
    w.Text(c.className);
    w.Text(u"");
    w.Word(0);  // no creation data
  }
  return w.Take();
}

}  // namespace handset::dialogs
