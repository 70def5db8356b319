// Dialogs from templates, the default dialog procedure and the modal loop.
#include <gtest/gtest.h>

#include "dialog_test_support.h"
#include "handset/audit.h"
#include "handset/gdi.h"
#include "handset/modules.h"
#include "handset/screen.h"
#include "handset/user.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using dialog_test::AlignedTemplate;
using dialog_test::DialogTest;
using dialog_test::g_hook;
using dialog_test::HookedDialogProc;
using dialog_test::SampleTemplate;
using testing_support::kLParam;
using testing_support::kPosted;
using testing_support::kSent;
using testing_support::kWParam;
using testing_support::Messages;
using testing_support::OnlyMessages;
namespace user = handset::user;

std::optional<INT_PTR> EndOn(HWND dialog, UINT message, WPARAM wParam, UINT id, INT_PTR result) {
  if (message == WM_COMMAND && LOWORD(wParam) == id) {
    EndDialog(dialog, result);
    return TRUE;
  }
  return std::nullopt;
}

TEST_F(DialogTest, ATemplateMakesTheDialogItsControlsInOrderWithTheFontAndTheFirstControlFocused) {
  HWND owner = Owner();
  AlignedTemplate t(SampleTemplate());
  auto fontsBefore = handset::gdi::LiveObjects().fonts;
  g_hook = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_INITDIALOG) return TRUE;
    return std::nullopt;
  };
  HWND dialog = CreateDialogIndirectParamW(nullptr, t.Get(), owner, HookedDialogProc, 77);
  ASSERT_NE(dialog, nullptr);

  WCHAR name[16];
  GetClassNameW(dialog, name, 16);
  EXPECT_EQ(std::u16string(name), u"Dialog");
  // The dialog procedure hears the font before WM_INITDIALOG, which carries the caller's value
  // and the control to be focused.
  EXPECT_TRUE(Messages().Matches(
      {{WM_SETFONT}, {WM_INITDIALOG, kWParam | kLParam, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), 77}},
      {.only = [](const auto& m) { return m.message >= WM_SETFONT && m.message <= WM_INITDIALOG; }}));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));

  std::vector<int> ids;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ids.push_back(GetDlgCtrlID(child));
  EXPECT_EQ(ids, (std::vector<int>{IDOK, IDCANCEL, 1021, 1040, 1030, 1031, 0xFFFF}));
  auto font = SendMessageW(dialog, WM_GETFONT, 0, 0);
  EXPECT_NE(font, 0);
  for (int id : ids) EXPECT_EQ(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0), font) << id;
  EXPECT_EQ(handset::gdi::LiveObjects().fonts, fontsBefore + 1);

  // Every control sits where its template rectangle maps to.
  RECT expected{5, 20, 105, 32};
  MapDialogRect(dialog, &expected);
  RECT edit;
  GetWindowRect(GetDlgItem(dialog, 1040), &edit);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&edit), 2);
  EXPECT_EQ(edit.left, expected.left);
  EXPECT_EQ(edit.bottom, expected.bottom);
  EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(dialog, 1040)), 5);

  DestroyWindow(dialog);
  EXPECT_EQ(handset::gdi::LiveObjects().fonts, fontsBefore);  // the template's font goes with it
}

TEST_F(DialogTest, MapDialogRectFollowsTheFontAtEachResolution) {
  auto units = [](HWND dialog) {
    RECT r{0, 0, 400, 800};
    EXPECT_TRUE(MapDialogRect(dialog, &r));
    return SIZE{r.right, r.bottom};
  };
  // Win32's base units, measured here with the dialog's own font.
  auto measured = [](HWND dialog) {
    HDC dc = GetDC(dialog);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    SIZE extent;
    GetTextExtentPoint32W(dc, u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &extent);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    return SIZE{(extent.cx / 26 + 1) / 2 * 100, metrics.tmHeight * 100};
  };
  AlignedTemplate t(SampleTemplate());
  HWND small = CreateDialogIndirectParamW(nullptr, t.Get(), nullptr, HookedDialogProc, 0);
  SIZE at96 = units(small);
  EXPECT_EQ(at96.cx, measured(small).cx);
  EXPECT_EQ(at96.cy, measured(small).cy);
  DestroyWindow(small);

  ASSERT_TRUE(handset::screen::SetSize(480, 640));
  ASSERT_EQ(handset::screen::Dpi(), 192);
  HWND large = CreateDialogIndirectParamW(nullptr, t.Get(), nullptr, HookedDialogProc, 0);
  SIZE at192 = units(large);
  EXPECT_EQ(at192.cx, measured(large).cx);
  EXPECT_EQ(at192.cy, measured(large).cy);
  // The same 8-point font is twice as many pixels at twice the resolution.
  EXPECT_NEAR(static_cast<double>(at192.cy) / at96.cy, 2.0, 0.25);
  EXPECT_NEAR(static_cast<double>(at192.cx) / at96.cx, 2.0, 0.4);
  RECT plain{0, 0, 4, 8};
  EXPECT_FALSE(MapDialogRect(Owner(), &plain));  // not a dialog
}

TEST_F(DialogTest, TheModalLoopEndsWithEndDialogsResultAndGivesTheOwnerBack) {
  HWND owner = Owner();
  AlignedTemplate t(SampleTemplate());
  bool ownerDisabledMeanwhile = false;
  g_hook = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_INITDIALOG) PostMessageW(dialog, WM_USER + 5, 0, 0);
    if (message == WM_USER + 5) {
      ownerDisabledMeanwhile = !IsWindowEnabled(owner);
      EndDialog(dialog, 1234);
      EXPECT_TRUE(IsWindowEnabled(owner));  // at once, not when the loop ends
      return TRUE;
    }
    return std::nullopt;
  };
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), owner, HookedDialogProc, 0), 1234);
  EXPECT_TRUE(ownerDisabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
  auto seen = Messages().Received();
  ASSERT_FALSE(seen.empty());
  EXPECT_FALSE(IsWindow(seen.front().window));
  EXPECT_TRUE(user::Failures().empty());
}

TEST_F(DialogTest, AnExhaustedScriptEndsTheLoopWithCancelAndSaysWhichWindowWaited) {
  AlignedTemplate t(SampleTemplate());
  user::SetScript({user::Check(1021)});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), Owner(), HookedDialogProc, 0), IDCANCEL);
  auto failures = user::Failures();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].message.find("no step left"), std::string::npos) << failures[0].message;
  EXPECT_NE(failures[0].message.find("dialog \"Sample\""), std::string::npos) << failures[0].message;
  // The step before was taken: the box was ticked.
  EXPECT_FALSE(
      Messages().Received({.only = [](const auto& m) { return m.message == WM_COMMAND && LOWORD(m.wParam) == 1021; }})
          .empty());
}

TEST_F(DialogTest, NestedLoopsRunInnerFirstAndAFailureEndsThemAll) {
  AlignedTemplate outer(SampleTemplate());
  AlignedTemplate inner(dialog_test::Template(
      WS_POPUP | WS_VISIBLE, 0, 0, 100, 40, u"Inner",
      {{0x80, IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 40, 14, u"OK"}}));
  HWND outerWindow = nullptr;
  INT_PTR innerResult = 0;
  g_hook = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_INITDIALOG && !outerWindow) outerWindow = dialog;
    if (message != WM_COMMAND) return std::nullopt;
    if (dialog == outerWindow && LOWORD(wParam) == 1021) {
      innerResult = DialogBoxIndirectParamW(nullptr, inner.Get(), dialog, HookedDialogProc, 0);
      return TRUE;
    }
    if (LOWORD(wParam) == IDOK) {
      EndDialog(dialog, dialog == outerWindow ? 11 : 22);
      return TRUE;
    }
    return std::nullopt;
  };
  user::SetScript({user::Tap(1021), user::Expect(user::Window(u"Inner")), user::Tap(IDOK),
                   user::Expect(user::Window(u"Sample")), user::Tap(IDOK)});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, outer.Get(), Owner(), HookedDialogProc, 0), 11);
  EXPECT_EQ(innerResult, 22);
  EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
  EXPECT_EQ(user::StepsLeft(), 0u);

  // Now the inner dialog waits for a step that never comes: both end with Cancel.
  outerWindow = nullptr;
  user::SetScript({user::Tap(1021)});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, outer.Get(), Owner(), HookedDialogProc, 0), IDCANCEL);
  EXPECT_EQ(innerResult, IDCANCEL);
  auto failures = user::Failures();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].message.find("dialog \"Sample\" > dialog \"Inner\""), std::string::npos) << failures[0].message;
}

TEST_F(DialogTest, AConditionThatDoesNotComeInTimeFailsNamingTheLine) {
  AlignedTemplate t(SampleTemplate());
  user::SetScript(user::ParseScenario("# waits for a dialog that never opens\nexpect dialog 7399 within 30\ntap 1\n"));
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), Owner(), HookedDialogProc, 0), IDCANCEL);
  auto failures = user::Failures();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].line, 2);
  EXPECT_NE(failures[0].message.find("line 2 \"expect dialog 7399 within 30\""), std::string::npos)
      << failures[0].message;
  EXPECT_EQ(user::StepsLeft(), 2u);
}

TEST_F(DialogTest, DialogsFromAModulesResourcesKnowTheirTemplateId) {
  auto bytes = SampleTemplate();
  handset::InMemoryModule module;
  module.resources.push_back({WORD{5}, WORD{7301},
                              std::vector<std::byte>(reinterpret_cast<const std::byte*>(bytes.data()),
                                                     reinterpret_cast<const std::byte*>(bytes.data()) + bytes.size())});
  handset::RegisterModule(u"dialogs.dll", std::move(module));
  HMODULE instance = LoadLibraryW(u"dialogs.dll");
  ASSERT_NE(instance, nullptr);
  g_hook = [](HWND dialog, UINT message, WPARAM wParam, LPARAM) { return EndOn(dialog, message, wParam, IDCANCEL, 5); };
  user::SetScript({user::Expect(user::Dialog(7301)), user::Tap(IDCANCEL)});
  EXPECT_EQ(DialogBoxParamW(instance, MAKEINTRESOURCEW(7301), Owner(), HookedDialogProc, 0), 5);
  EXPECT_TRUE(user::Failures().empty());

  // The same template handed in as loaded memory is still known by its id.
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(7301), RT_DIALOG);
  auto loaded = static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(instance, resource)));
  user::SetScript({user::Expect(user::Dialog(7301)), user::Tap(IDCANCEL)});
  EXPECT_EQ(DialogBoxIndirectParamW(instance, loaded, Owner(), HookedDialogProc, 0), 5);
  EXPECT_TRUE(user::Failures().empty());
  EXPECT_EQ(DialogBoxParamW(instance, MAKEINTRESOURCEW(7302), nullptr, HookedDialogProc, 0), -1);
  FreeLibrary(instance);
}

TEST_F(DialogTest, TheDefaultProcedureColoursStaticsAndTurnsCloseIntoCancel) {
  AlignedTemplate t(SampleTemplate());
  HWND dialog = CreateDialogIndirectParamW(nullptr, t.Get(), nullptr, HookedDialogProc, 0);
  HDC dc = GetDC(dialog);
  auto brush = SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(COLOR_STATIC));
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_STATICTEXT));
  ReleaseDC(dialog, dc);

  Messages().Clear();
  SendMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(dialog));  // a dialog is not destroyed by WM_CLOSE
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) testing_support::DispatchQueued(msg);
  // Cancel is pressed through the queue.
  EXPECT_TRUE(Messages().Matches({{WM_CLOSE, kSent},
                                  {WM_COMMAND, kPosted | kWParam | kLParam, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL))}},
                                 {.only = OnlyMessages({WM_CLOSE, WM_COMMAND})}));
  DestroyWindow(dialog);
}

TEST_F(DialogTest, MessageBoxesAreAnsweredByTheScriptOrEndWithTheirDecliningAnswer) {
  HWND owner = Owner();
  user::SetScript({user::Expect(user::MessageBox(u"Delete")), user::Answer(IDYES)});
  EXPECT_EQ(MessageBoxW(owner, u"Delete the number?", u"Forwarding", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_TRUE(user::Failures().empty());
  EXPECT_TRUE(IsWindowEnabled(owner));

  user::SetScript({user::Answer(IDCANCEL)});  // there is no Cancel button
  EXPECT_EQ(MessageBoxW(owner, u"Sure?", nullptr, MB_YESNO), IDNO);
  ASSERT_EQ(user::Failures().size(), 1u);
  EXPECT_NE(user::Failures()[0].message.find("messagebox \"Sure?\""), std::string::npos);

  // Escape on a box with OK alone answers OK.
  user::SetScript({user::PressKey(VK_ESCAPE)});
  EXPECT_EQ(MessageBoxW(owner, u"Done", u"Info", MB_OK), IDOK);
  EXPECT_TRUE(user::Failures().empty());
  // A box's buttons are real controls: the scripted user can tap them too.
  user::SetScript({user::Tap(IDRETRY)});
  EXPECT_EQ(MessageBoxW(owner, u"No network", u"", MB_RETRYCANCEL), IDRETRY);
}

// The buttons speak the phone's language, each as wide as its caption needs; a language the handset
// has no captions of gets US English.
TEST_F(DialogTest, MessageBoxButtonsAreCaptionedInTheUserInterfaceLanguage) {
  const struct {
    LANGID language;
    UINT type;
    std::vector<std::u16string> captions;
  } cases[] = {
      {0x0409, MB_ABORTRETRYIGNORE, {u"Abort", u"Retry", u"Ignore"}},
      {0x0407, MB_ABORTRETRYIGNORE, {u"Abbrechen", u"Wiederholen", u"Ignorieren"}},
      {0x0407, MB_YESNOCANCEL, {u"Ja", u"Nein", u"Abbrechen"}},
      {0x0c07, MB_OKCANCEL, {u"OK", u"Abbrechen"}},  // Austrian German
      {0x040c, MB_YESNO, {u"Yes", u"No"}},           // French: none of its own
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    handset::SetUILanguage(c.language);
    std::vector<std::u16string> shown;
    std::vector<handset::audit::Finding> findings;
    user::SetScript({user::Run("read the buttons",
                               [&] {
                                 findings = handset::audit::CheckScreen();
                                 for (HWND child = GetWindow(GetActiveWindow(), GW_CHILD); child;
                                      child = GetWindow(child, GW_HWNDNEXT)) {
                                   WCHAR text[64] = {};
                                   if (GetDlgCtrlID(child) >= IDOK && GetDlgCtrlID(child) <= IDNO &&
                                       GetWindowTextW(child, text, 64) > 0)
                                     shown.emplace_back(text);
                                 }
                               }),
                     user::PressKey(VK_ESCAPE)});
    MessageBoxW(Owner(), u"Question", u"", c.type);
    EXPECT_EQ(shown, c.captions);
    for (const auto& finding : findings) ADD_FAILURE() << finding.kind << ": " << finding.detail;
  }
}

TEST_F(DialogTest, TabMovesTheFocusAndEnterPressesTheDefaultButton) {
  AlignedTemplate t(SampleTemplate());
  g_hook = [](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_INITDIALOG) return TRUE;
    return EndOn(dialog, message, wParam, IDOK, 42);
  };
  int focusedAfterTab = 0, focusedAfterBackTab = 0;
  user::SetScript({user::PressKey(VK_TAB), user::Run("after tab", [&] { focusedAfterTab = GetDlgCtrlID(GetFocus()); }),
                   user::Run("back", [&] {
                     SendMessageW(GetActiveWindow(), WM_NEXTDLGCTL, TRUE, 0);
                     focusedAfterBackTab = GetDlgCtrlID(GetFocus());
                   }),
                   user::PressKey(VK_RETURN)});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), Owner(), HookedDialogProc, 0), 42);
  EXPECT_EQ(focusedAfterTab, IDCANCEL);  // from OK, the first control, to the next one that takes Tab
  EXPECT_EQ(focusedAfterBackTab, IDOK);
  EXPECT_TRUE(user::Failures().empty());
}

}  // namespace

namespace {

// What the owner of a modal dialog hears while the dialog opens and closes: deactivated in favour
// of the dialog (lParam the dialog, a window of its own thread, not null as when another
// application comes to the front) and disabled; enabled and activated again. Nothing repositions it:
// no WM_WINDOWPOSCHANGED, so nothing carries the shell's SWP_NOOWNERZORDER mark.
TEST_F(DialogTest, TheOwnerOfAModalDialogIsDeactivatedAndDisabledButNeverRepositioned) {
  HWND owner = Owner();
  AlignedTemplate t(SampleTemplate());
  HWND dialogWindow = nullptr;
  g_hook = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> std::optional<INT_PTR> {
    if (message == WM_INITDIALOG) {
      dialogWindow = dialog;
      PostMessageW(dialog, WM_USER + 5, 0, 0);
    }
    if (message == WM_USER + 5) EndDialog(dialog, 1);
    return std::nullopt;
  };
  Messages().Subclass(owner);
  Messages().Clear();
  DialogBoxIndirectParamW(nullptr, t.Get(), owner, HookedDialogProc, 0);
  auto dialog = reinterpret_cast<LPARAM>(dialogWindow);
  EXPECT_TRUE(Messages().Matches({{WM_ACTIVATE, kWParam | kLParam, WA_INACTIVE, dialog},
                                  {WM_ENABLE, kWParam, FALSE},
                                  {WM_ENABLE, kWParam, TRUE},
                                  {WM_ACTIVATE, kWParam | kLParam, WA_ACTIVE, dialog}},
                                 {.window = owner, .only = testing_support::OnlyMessages(
                                                       {WM_ACTIVATE, WM_ENABLE, WM_WINDOWPOSCHANGED})}));
}

}  // namespace
