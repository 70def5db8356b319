// Shared by the dialog, control and scripted-user tests: standard dialog templates written in
// memory, a dialog procedure the test steers, and a fixture with a fresh script.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/handset_test.h"
#include "support/message_sequence.h"

#include <windows.h>

namespace dialog_test {

struct Item {
  WORD classOrdinal;  // 0x80 button ... 0x85 combo box
  WORD id;
  DWORD style;
  short x, y, cx, cy;
  std::u16string title = {};
  std::optional<WORD> titleOrdinal = std::nullopt;
};

struct Font {
  WORD pointSize;
  std::u16string face;
};

// A standard (not extended) template as a resource compiler lays it out.
std::vector<std::uint8_t> Template(DWORD style, short x, short y, short cx, short cy, const std::u16string& title,
                                   const std::vector<Item>& items, std::optional<Font> font = Font{8, u"Tahoma"});

// A template whose storage is DWORD-aligned, as resources are.
struct AlignedTemplate {
  explicit AlignedTemplate(const std::vector<std::uint8_t>& bytes);
  LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(words.data()); }
  std::vector<std::uint32_t> words;
};

// The test's dialog procedure records each message (testing_support::Messages) and does what the
// hook says: return a value to answer, nothing to leave the message
// to the default dialog procedure (FALSE).
using Hook = std::function<std::optional<INT_PTR>(HWND, UINT, WPARAM, LPARAM)>;
extern Hook g_hook;
INT_PTR HookedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

class DialogTest : public testing_support::HandsetTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A visible top-level window of a plain class, to own dialogs.
  HWND Owner();
};

// A simple dialog: OK (1), Cancel (2), a check box (1021), an edit (1040), a list box (1030) and
// a combo box (1031), with DS_SETFONT.
std::vector<std::uint8_t> SampleTemplate();

}  // namespace dialog_test
