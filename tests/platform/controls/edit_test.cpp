// The edit control as Windows CE documents it: limits, undo, the clipboard, margins and positions,
// what it wants of a dialog's keys and what is left of it once destroyed. Each table is a sequence
// of messages with the answer each must give and the text after it, sent in order to one edit.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/dialog_test_support.h"

#include <windows.h>

namespace {

struct Step {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT expected;
  std::optional<std::u16string> text = std::nullopt;  // the edit's text afterwards, when given
};

LPARAM Text(const char16_t* text) { return reinterpret_cast<LPARAM>(text); }

class EditTest : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    parent = CreateDialogIndirectParamW(nullptr, sample.Get(), nullptr, dialog_test::HookedDialogProc, 0);
    ASSERT_NE(parent, nullptr);
  }
  HWND Edit(DWORD style, LPCWSTR text = u"", int width = 100, int height = 40) {
    return CreateWindowExW(0, u"edit", text, WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent,
                           reinterpret_cast<HMENU>(700), nullptr, nullptr);
  }
  static std::u16string TextOf(HWND edit) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(edit)), u'\0');
    GetWindowTextW(edit, text.data(), static_cast<int>(text.size()) + 1);
    return text;
  }
  static void Run(HWND edit, const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
      EXPECT_EQ(SendMessageW(edit, steps[i].message, steps[i].wParam, steps[i].lParam), steps[i].expected)
          << "step " << i << ", message 0x" << std::hex << steps[i].message;
      if (steps[i].text) {
        EXPECT_EQ(TextOf(edit), *steps[i].text) << "step " << i;
      }
    }
  }
  static std::u16string ClipboardText() {
    std::u16string text;
    EXPECT_TRUE(OpenClipboard(nullptr));
    if (auto data = GetClipboardData(CF_UNICODETEXT)) text = static_cast<const WCHAR*>(data);
    CloseClipboard();
    return text;
  }
  static void PutOnClipboard(const std::u16string& text) {
    UINT bytes = static_cast<UINT>((text.size() + 1) * sizeof(WCHAR));
    HLOCAL data = LocalAlloc(LMEM_FIXED, bytes);
    std::memcpy(data, text.c_str(), bytes);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, data), data);
    CloseClipboard();
  }

  dialog_test::AlignedTemplate sample{dialog_test::SampleTemplate()};
  HWND parent = nullptr;
};

TEST_F(EditTest, TheLimitStartsAtThirtyThousandAndZeroGivesTheLimitsOfWindowsCe) {
  Run(Edit(0), {
                   {EM_GETLIMITTEXT, 0, 0, 30000},
                   {EM_LIMITTEXT, 0, 0, 0},
                   {EM_GETLIMITTEXT, 0, 0, 0x7FFE},
                   {EM_LIMITTEXT, 0x10000, 0, 0},
                   {EM_GETLIMITTEXT, 0, 0, 0x7FFE},  // no single-line limit passes 32,766
                   {EM_LIMITTEXT, 12, 0, 0},
                   {EM_GETLIMITTEXT, 0, 0, 12},
               });
  Run(Edit(ES_MULTILINE), {
                              {EM_GETLIMITTEXT, 0, 0, 30000},
                              {EM_LIMITTEXT, 0, 0, 0},
                              {EM_GETLIMITTEXT, 0, 0, 0xFFFF},
                              {EM_LIMITTEXT, static_cast<WPARAM>(-1), 0, 0},
                              {EM_GETLIMITTEXT, 0, 0, 0x7FFFFFFE},
                          });
}

TEST_F(EditTest, AMultilineEditTakesReturnAndTabButInADialogLeavesThemToTheDialog) {
  MSG key{nullptr, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  const LRESULT wanted = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  HWND multiline = Edit(ES_MULTILINE);
  Run(multiline, {
                     {WM_CHAR, u'a', 1, 0, u"a"},
                     {WM_CHAR, u'\r', 1, 0, u"a\r\n"},
                     {WM_CHAR, u'\t', 1, 0, u"a\r\n\t"},
                     {WM_CHAR, u'\b', 1, 0, u"a\r\n"},
                     {WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&key), wanted | DLGC_WANTALLKEYS},
                     {WM_CHAR, u'\r', 1, 0, u"a\r\n"},  // a dialog asked: its keys are the dialog's
                     {WM_CHAR, u'\t', 1, 0, u"a\r\n"},
                 });
  Run(Edit(ES_MULTILINE | ES_WANTRETURN),
      {{WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&key), wanted | DLGC_WANTALLKEYS},
       {WM_CHAR, u'\r', 1, 0, u"\r\n"}});
  Run(Edit(0), {
                   {WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&key), wanted},
                   {WM_CHAR, u'a', 1, 0, u"a"},
                   {WM_CHAR, u'\r', 1, 0, u"a"},
                   {WM_CHAR, u'\t', 1, 0, u"a"},
               });

  // Return goes to the default button, Escape closes the dialog through WM_CLOSE (and so Cancel).
  SetFocus(multiline);
  SendMessageW(multiline, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(GetFocus(), GetDlgItem(parent, IDOK));
  testing_support::Messages().Clear();
  SendMessageW(multiline, WM_KEYDOWN, VK_ESCAPE, 1);
  MSG posted{};
  while (PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&posted);
  bool closed = false, cancelled = false;
  for (const auto& m : testing_support::Messages().Received()) {
    closed = closed || m.message == WM_CLOSE;
    cancelled = cancelled || (m.message == WM_COMMAND && LOWORD(m.wParam) == IDCANCEL);
  }
  EXPECT_TRUE(closed);
  EXPECT_TRUE(cancelled);
}

// Return in an edit of a dialog, as the dialog's message loop passes it through IsDialogMessageW:
// a single-line edit leaves the key to the dialog, which presses its default button, and never
// takes a '\r' (neither one the loop hands on nor one sent to it directly); a multiline edit with
// ES_WANTRETURN takes the key and breaks the line. Checked against desktop Win32 under Wine.
TEST_F(EditTest, ReturnInAnEditOfADialogPressesTheDefaultButtonUnlessTheEditWantsIt) {
  struct Case {
    const char* name;
    DWORD style;
    UINT message;
    WPARAM key;
    bool throughDialog;  // IsDialogMessageW, else sent to the edit
    bool pressesOk;
    std::u16string text;
  };
  const Case cases[] = {
      {"key down, single line", 0, WM_KEYDOWN, VK_RETURN, true, true, u"ab"},
      {"character, single line", 0, WM_CHAR, u'\r', true, false, u"ab"},
      {"character sent, single line", 0, WM_CHAR, u'\r', false, false, u"ab"},
      {"key down, multiline wanting Return", ES_MULTILINE | ES_WANTRETURN, WM_KEYDOWN, VK_RETURN, true, false,
       u"ab\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND edit = Edit(c.style, u"ab");
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 2, 2);
    testing_support::Messages().Clear();
    MSG msg{edit, c.message, c.key, 1, 0, {0, 0}};
    if (c.throughDialog)
      EXPECT_TRUE(IsDialogMessageW(parent, &msg));
    else
      SendMessageW(edit, c.message, c.key, 1);
    MSG posted{};
    while (PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE))
      if (!IsDialogMessageW(parent, &posted)) DispatchMessageW(&posted);
    bool pressed = false;
    for (const auto& m : testing_support::Messages().Received())
      pressed = pressed || (m.window == parent && m.message == WM_COMMAND && LOWORD(m.wParam) == IDOK);
    EXPECT_EQ(pressed, c.pressesOk);
    EXPECT_EQ(TextOf(edit), c.text);
    DestroyWindow(edit);
  }
  // Outside a dialog a single-line edit takes no line break either.
  HWND alone = CreateWindowExW(0, u"edit", u"ab", WS_POPUP | WS_VISIBLE, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
  Run(alone, {{WM_CHAR, u'\r', 1, 0, u"ab"}, {WM_CHAR, u'\n', 1, 0, u"ab"}});
  DestroyWindow(alone);
}

TEST_F(EditTest, UndoReversesTheLastStepAndASecondUndoRedoesIt) {
  Run(Edit(0, u"start"), {
                             {EM_CANUNDO, 0, 0, FALSE},
                             {EM_SETSEL, 5, 5, 0},
                             {WM_CHAR, u'a', 1, 0},
                             {WM_CHAR, u'b', 1, 0, u"startab"},
                             {EM_CANUNDO, 0, 0, TRUE},
                             {EM_UNDO, 0, 0, TRUE, u"start"},  // the typing in one place at once
                             {EM_UNDO, 0, 0, TRUE, u"startab"},
                             {EM_GETSEL, 0, 0, MAKELRESULT(5, 7)},  // what came back is selected
                             {WM_CHAR, u'x', 1, 0, u"startx"},      // and typing replaces it
                             {EM_UNDO, 0, 0, TRUE, u"startab"},
                             {EM_SETSEL, 7, 7, 0},
                             {WM_CHAR, u'\b', 1, 0},
                             {WM_CHAR, u'\b', 1, 0, u"start"},
                             {WM_UNDO, 0, 0, TRUE, u"startab"},  // backspaces are one step too
                             {EM_EMPTYUNDOBUFFER, 0, 0, 0},
                             {EM_CANUNDO, 0, 0, FALSE},
                             {EM_UNDO, 0, 0, TRUE, u"startab"},  // single-line: TRUE all the same
                             {EM_SETSEL, 7, 7, 0},
                             {EM_REPLACESEL, TRUE, Text(u"!"), 0, u"startab!"},
                             {EM_CANUNDO, 0, 0, TRUE},
                             {WM_SETTEXT, 0, Text(u"new"), TRUE},
                             {EM_CANUNDO, 0, 0, FALSE},  // WM_SETTEXT empties the undo
                             {EM_REPLACESEL, FALSE, Text(u"?"), 0, u"?new"},
                             {EM_CANUNDO, 0, 0, FALSE},
                         });
  Run(Edit(ES_MULTILINE), {{EM_UNDO, 0, 0, FALSE}});  // multiline: FALSE when there is nothing
}

TEST_F(EditTest, CutCopyAndPasteGoThroughTheClipboardAndCanBeUndone) {
  Run(Edit(0, u"hello world"), {
                                   {EM_SETSEL, 0, 5, 0},
                                   {WM_COPY, 0, 0, 0, u"hello world"},
                                   {EM_SETSEL, 5, 11, 0},
                                   {WM_CUT, 0, 0, 0, u"hello"},
                                   {EM_SETSEL, 0, 0, 0},
                                   {WM_PASTE, 0, 0, 0, u" worldhello"},
                                   {EM_UNDO, 0, 0, TRUE, u"hello"},
                                   {EM_SETSEL, 1, 3, 0},
                                   {WM_CLEAR, 0, 0, 0, u"hlo"},
                               });
  EXPECT_EQ(ClipboardText(), u" world");
  // The keys: Ctrl+X, Ctrl+V, Ctrl+C and Ctrl+Z.
  Run(Edit(0, u"abc"), {
                           {EM_SETSEL, 0, 1, 0},
                           {WM_CHAR, 0x18, 1, 0, u"bc"},
                           {EM_SETSEL, 2, 2, 0},
                           {WM_CHAR, 0x16, 1, 0, u"bca"},
                           {EM_SETSEL, 0, 2, 0},
                           {WM_CHAR, 0x03, 1, 0, u"bca"},
                           {WM_CHAR, 0x1A, 1, 0, u"bc"},
                       });
  EXPECT_EQ(ClipboardText(), u"bc");
}

TEST_F(EditTest, APasswordIsNotCopiedAReadOnlyEditIsNotCutAndPastingKeepsToTheLimitAndTheLine) {
  PutOnClipboard(u"kept");
  Run(Edit(ES_PASSWORD, u"secret"), {{EM_SETSEL, 0, -1, 0}, {WM_COPY, 0, 0, 0}, {WM_CUT, 0, 0, 0, u"secret"}});
  EXPECT_EQ(ClipboardText(), u"kept");
  Run(Edit(ES_READONLY, u"fixed"), {{EM_SETSEL, 0, -1, 0}, {WM_CUT, 0, 0, 0, u"fixed"}, {WM_PASTE, 0, 0, 0, u"fixed"}});
  EXPECT_EQ(ClipboardText(), u"fixed");  // a read-only edit's cut is a copy

  PutOnClipboard(u"one\r\ntwo");
  Run(Edit(0), {{WM_PASTE, 0, 0, 0, u"one"}});  // a single line takes the first line
  Run(Edit(ES_MULTILINE), {{WM_PASTE, 0, 0, 0, u"one\r\ntwo"}});
  HWND limited = Edit(0);
  SendMessageW(limited, EM_LIMITTEXT, 2, 0);
  testing_support::Messages().Clear();
  Run(limited, {{WM_PASTE, 0, 0, 0, u"on"}});
  std::vector<WORD> codes;
  for (const auto& s : testing_support::Messages().Received())
    if (s.message == WM_COMMAND && LOWORD(s.wParam) == 700) codes.push_back(HIWORD(s.wParam));
  EXPECT_EQ(codes, (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_MAXTEXT}));
}

TEST_F(EditTest, MarginsAndTheFormattingRectanglePlaceTheCharacters) {
  HWND edit = Edit(0, u"abc");
  RECT format{};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  LRESULT first = SendMessageW(edit, EM_POSFROMCHAR, 0, 0);
  EXPECT_EQ(static_cast<short>(LOWORD(first)), format.left);
  EXPECT_EQ(HIWORD(first), 0);  // single-line: y is always 0
  LRESULT second = SendMessageW(edit, EM_POSFROMCHAR, 1, 0);
  LRESULT end = SendMessageW(edit, EM_POSFROMCHAR, 3, 0);
  EXPECT_GT(LOWORD(second), LOWORD(first));
  EXPECT_GT(LOWORD(end), LOWORD(second));
  Run(edit, {
                {EM_POSFROMCHAR, 4, 0, -1},  // past the end
                {EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(second), 1), MAKELRESULT(1, 0)},
                {EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(second) + 1, 1), MAKELRESULT(1, 0)},
                {EM_CHARFROMPOS, 0, MAKELPARAM(0, 0), MAKELRESULT(0, 0)},
                {EM_CHARFROMPOS, 0, MAKELPARAM(90, 5), MAKELRESULT(3, 0)},  // beyond the text
                {EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(10, 99), 0},
                {EM_GETMARGINS, 0, 0, MAKELRESULT(10, 2)},  // only the margin named changes
                {EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(4, 6), 0},
                {EM_GETMARGINS, 0, 0, MAKELRESULT(4, 6)},
                {EM_POSFROMCHAR, 0, 0, MAKELRESULT(4, 0)},
            });
  RECT client, margins{};
  GetClientRect(edit, &client);
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&margins));
  EXPECT_EQ(margins.left, 4);
  EXPECT_EQ(margins.right, client.right - 6);
  // A single-line edit keeps its formatting rectangle; a multiline one takes the one given.
  RECT given{5, 6, 50, 30};
  SendMessageW(edit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&given));
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.left, 4);
  HWND lines = Edit(ES_MULTILINE, u"ab\r\ncd");
  SendMessageW(lines, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&given));
  SendMessageW(lines, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.left, 5);
  EXPECT_EQ(format.bottom, 30);
  LRESULT secondLine = SendMessageW(lines, EM_POSFROMCHAR, 4, 0);
  EXPECT_EQ(LOWORD(secondLine), 5);
  EXPECT_GT(HIWORD(secondLine), 6);
  Run(lines, {
                 {EM_POSFROMCHAR, 0, 0, MAKELRESULT(5, 6)},
                 {EM_CHARFROMPOS, 0, MAKELPARAM(5, HIWORD(secondLine) + 1), MAKELRESULT(4, 1)},
                 {EM_CHARFROMPOS, 0, MAKELPARAM(200, 7), MAKELRESULT(2, 0)},  // the line's break
                 {EM_SETRECT, 0, 0, 0},                                     // the default again
             });
  SendMessageW(lines, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.left, 2);
}

TEST_F(EditTest, ABorderIsDrawnInsideSoATinyEditStillHasAClientArea) {
  HWND edit = Edit(WS_BORDER, u"", 1, 1);
  RECT client{};
  GetClientRect(edit, &client);
  EXPECT_EQ(client.right, 1);
  EXPECT_EQ(client.bottom, 1);
  EXPECT_FALSE(GetWindowLongW(edit, GWL_STYLE) & WS_BORDER);
}

TEST_F(EditTest, TheTextIsGoneOnceWmNcDestroyFreedIt) {
  WCHAR buffer[16] = u"unchanged";
  Run(Edit(0, u"text"), {
                            {WM_GETTEXTLENGTH, 0, 0, 4},
                            {WM_NCDESTROY, 0, 0, 0},
                            {WM_GETTEXT, 16, reinterpret_cast<LPARAM>(buffer), 0},
                            {WM_GETTEXTLENGTH, 0, 0, 0},
                        });
  EXPECT_EQ(buffer[0], u'\0');
}

}  // namespace
