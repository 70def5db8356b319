#include "dialog_test_support.h"

#include "handset/user.h"

namespace dialog_test {

Hook g_hook;

namespace {

class Writer {
 public:
  void Word(std::uint16_t v) {
    bytes.push_back(static_cast<std::uint8_t>(v));
    bytes.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void Dword(std::uint32_t v) {
    Word(static_cast<std::uint16_t>(v));
    Word(static_cast<std::uint16_t>(v >> 16));
  }
  void Text(const std::u16string& s) {
    for (char16_t c : s) Word(c);
    Word(0);
  }
  void Align() {
    while (bytes.size() % 4) bytes.push_back(0);
  }
  std::vector<std::uint8_t> bytes;
};

LRESULT OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::vector<std::uint8_t> Template(DWORD style, short x, short y, short cx, short cy, const std::u16string& title,
                                   const std::vector<Item>& items, std::optional<Font> font) {
  Writer w;
  w.Dword(style | (font ? DS_SETFONT : 0));
  w.Dword(0);
  w.Word(static_cast<std::uint16_t>(items.size()));
  for (short v : {x, y, cx, cy}) w.Word(static_cast<std::uint16_t>(v));
  w.Word(0);  // no menu
  w.Word(0);  // the dialog class
  w.Text(title);
  if (font) {
    w.Word(font->pointSize);
    w.Text(font->face);
  }
  for (const auto& item : items) {
    w.Align();
    w.Dword(item.style);
    w.Dword(0);
    for (short v : {item.x, item.y, item.cx, item.cy}) w.Word(static_cast<std::uint16_t>(v));
    w.Word(item.id);
    w.Word(0xFFFF);
    w.Word(item.classOrdinal);
    if (item.titleOrdinal) {
      w.Word(0xFFFF);
      w.Word(*item.titleOrdinal);
    } else {
      w.Text(item.title);
    }
    w.Word(0);  // no creation data
  }
  return w.bytes;
}

AlignedTemplate::AlignedTemplate(const std::vector<std::uint8_t>& bytes) : words((bytes.size() + 3) / 4, 0) {
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<std::uint8_t*>(words.data()));
}

INT_PTR HookedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  testing_support::Messages().Record(dialog, message, wParam, lParam);
  if (g_hook)
    if (auto answer = g_hook(dialog, message, wParam, lParam)) return *answer;
  return FALSE;
}

void DialogTest::SetUp() {
  HandsetTest::SetUp();
  g_hook = nullptr;
  handset::user::SetScript({});
}

void DialogTest::TearDown() {
  g_hook = nullptr;
  HandsetTest::TearDown();
}

HWND DialogTest::Owner() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = OwnerProc;
  wc.lpszClassName = u"DialogOwner";
  RegisterClassW(&wc);
  return CreateWindowExW(0, u"DialogOwner", u"Owner", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                         nullptr, nullptr);
}

std::vector<std::uint8_t> SampleTemplate() {
  return Template(WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 120, 150, u"Sample",
                  {
                      {0x80, IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 125, 50, 14, u"OK"},
                      {0x80, IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 65, 125, 50, 14, u"Cancel"},
                      {0x80, 1021, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 5, 5, 100, 12, u"Option"},
                      {0x81, 1040, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 5, 20, 100, 12, u"start"},
                      {0x83, 1030, WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_NOTIFY, 5, 36, 100, 40},
                      {0x85, 1031, WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 5, 80, 100, 60},
                      {0x82, 0xFFFF, WS_CHILD | WS_VISIBLE | SS_LEFT, 5, 110, 100, 10, u"Label"},
                  });
}

}  // namespace dialog_test
