// PropertySheetW as a program sees it through the SDK: the order of callbacks and notifications on
// opening, pages made on first show, page changes, OK and Cancel with their results, commands
// passed to the current page, failures, and the sheet on a turning screen.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "dialogs/dialog_test_support.h"
#include "handset/screen.h"
#include "handset/user.h"

namespace {

namespace user = handset::user;
using dialog_test::AlignedTemplate;
using dialog_test::Template;

std::vector<std::string> g_log;
// What a page answers to a notification, by "<page> <code>"; consumed when answered.
std::map<std::string, LRESULT> g_answers;
std::vector<std::pair<int, LPARAM>> g_sizes;  // page, WM_SIZE lParam

std::string CodeName(UINT code) {
  switch (code) {
    case PSN_SETACTIVE: return "SETACTIVE";
    case PSN_KILLACTIVE: return "KILLACTIVE";
    case PSN_APPLY: return "APPLY";
    case PSN_RESET: return "RESET";
    case PSN_QUERYCANCEL: return "QUERYCANCEL";
    default: return "code " + std::to_string(code);
  }
}

INT_PTR PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* record = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
    SetWindowLongPtrW(page, DWLP_USER, record->lParam);
    g_log.push_back(std::to_string(record->lParam) + " init");
    return TRUE;
  }
  auto index = GetWindowLongPtrW(page, DWLP_USER);
  std::string who = std::to_string(index);
  switch (message) {
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      EXPECT_EQ(header->hwndFrom, GetParent(page)) << "notifications come from the sheet";
      std::string entry = who + " " + CodeName(header->code);
      g_log.push_back(entry);
      auto it = g_answers.find(entry);
      if (it != g_answers.end()) {
        SetWindowLongPtrW(page, DWLP_MSGRESULT, it->second);
        g_answers.erase(it);
      }
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == 2200 || LOWORD(wParam) == 2201) {
        g_log.push_back(who + " command " + std::to_string(LOWORD(wParam)));
        PostMessageW(GetParent(page), PSM_PRESSBUTTON, LOWORD(wParam) == 2201 ? PSBTN_OK : PSBTN_CANCEL, 0);
        return TRUE;
      }
      if (LOWORD(wParam) == 77) EndDialog(page, IDOK);
      return FALSE;
    case WM_SIZE:
      g_sizes.emplace_back(static_cast<int>(index), lParam);
      return FALSE;
    case PSM_QUERYSIBLINGS:  // page 1 answers the sum of the two parameters, the others nothing
      g_log.push_back(who + " siblings");
      SetWindowLongPtrW(page, DWLP_MSGRESULT, index == 1 ? static_cast<LRESULT>(wParam) + lParam : 0);
      return TRUE;
    default:
      return FALSE;
  }
}

std::string CallbackName(UINT message) {
  switch (message) {
    case PSCB_INITIALIZED: return "INITIALIZED";
    case PSCB_PRECREATE: return "PRECREATE";
    case PSCB_GETVERSION: return "GETVERSION";
    case PSCB_GETTITLE: return "GETTITLE";
    default: return "other";
  }
}

int SheetCallback(HWND sheet, UINT message, LPARAM lParam) {
  std::string entry = "cb " + CallbackName(message) + (sheet ? "" : " (no window)");
  if (message == PSCB_INITIALIZED) {
    if (GetDlgItem(sheet, 0x3020)) entry += " with tabs";
    SetWindowTextW(sheet, u"Set by the callback");
  }
  if (message == PSCB_GETTITLE) lstrcpyW(reinterpret_cast<LPWSTR>(lParam), u"Title");
  g_log.push_back(entry);
  return message == PSCB_GETVERSION ? COMCTL32_VERSION : 0;
}

std::array<LONG, 4> Edges(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

HWND CurrentPage() { return reinterpret_cast<HWND>(SendMessageW(GetActiveWindow(), PSM_GETCURRENTPAGEHWND, 0, 0)); }

class PropertySheetTest : public dialog_test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    g_log.clear();
    g_answers.clear();
    g_sizes.clear();
    for (int i = 0; i < 3; ++i) {
      std::u16string title = i == 0 ? u"One" : i == 1 ? u"Two" : u"Three";
      templates_.emplace_back(Template(WS_CHILD | DS_SETFONT, 0, 0, 100, 100, title,
                                       {{0x81, static_cast<WORD>(1040 + i), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 4, 60, 12}}));
    }
    for (int i = 0; i < 3; ++i) {
      PROPSHEETPAGEW page{};
      page.dwSize = sizeof page;
      page.dwFlags = PSP_DLGINDIRECT;
      page.pResource = templates_[static_cast<std::size_t>(i)].Get();
      page.pfnDlgProc = PageProc;
      page.lParam = i;
      pages_.push_back(page);
    }
    header_.dwSize = sizeof header_;
    header_.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_PROPTITLE | PSH_HASHELP | 0x1000 | 0x2000;
    header_.pszCaption = u"";
    header_.nPages = 3;
    header_.ppsp = pages_.data();
    header_.pfnCallback = SheetCallback;
  }

  INT_PTR Run(std::vector<user::Step> steps) {
    user::SetScript(std::move(steps));
    return PropertySheetW(&header_);
  }

  std::vector<AlignedTemplate> templates_;
  std::vector<PROPSHEETPAGEW> pages_;
  PROPSHEETHEADERW header_{};
};

TEST_F(PropertySheetTest, OpensWithTheCallbacksInOrderAndMakesOnlyTheFirstPage) {
  HWND sheet = nullptr, tabs = nullptr, foreground = nullptr;
  int tabsId = 0;
  std::u16string caption;
  INT_PTR result = Run({user::Expect(user::Dialog(0)).When(user::ControlShown(1040)),
                        user::Run("look", [&] {
                          sheet = GetActiveWindow();
                          WCHAR text[64] = {};
                          GetWindowTextW(sheet, text, 64);
                          caption = text;
                          tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
                          tabsId = GetDlgCtrlID(tabs);
                          foreground = GetForegroundWindow();
                        }),
                        user::Ok()});
  EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
  EXPECT_EQ(result, 1);
  EXPECT_EQ(g_log, (std::vector<std::string>{"cb GETVERSION (no window)", "cb PRECREATE (no window)", "cb GETTITLE",
                                             "cb INITIALIZED with tabs", "0 init", "0 SETACTIVE", "0 KILLACTIVE",
                                             "0 APPLY"}));
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(foreground, sheet) << "the sheet is in front while it is up";
  EXPECT_EQ(caption, u"Set by the callback") << "the sheet keeps the caption the callback set";
  EXPECT_EQ(tabsId, 0x3020);
  EXPECT_FALSE(IsWindow(sheet));
}

// A subclass installed at PSCB_INITIALIZED that logs how the sheet is shown and activated, and
// where the focus is when it hears its activation.
WNDPROC g_startProc = nullptr;
LRESULT LogStart(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::string visible = IsWindowVisible(window) ? " visible" : " hidden";
  if (message == WM_SHOWWINDOW) g_log.push_back(std::string("sheet show ") + (wParam ? "TRUE" : "FALSE"));
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) g_log.push_back("sheet activate" + visible);
  LRESULT result = CallWindowProcW(g_startProc, window, message, wParam, lParam);
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
    g_log.push_back("focus " + std::to_string(GetDlgCtrlID(GetFocus())));
  return result;
}
int LoggingStartCallback(HWND sheet, UINT message, LPARAM lParam) {
  int answer = SheetCallback(sheet, message, lParam);
  if (message == PSCB_INITIALIZED)
    g_startProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LogStart)));
  return answer;
}

// The sheet is shown and activated only once the callback has heard PSCB_INITIALIZED and the first
// page is up, so a subclass installed there hears the first WM_ACTIVATE; the activation gives the
// page's first tab stop the focus. Modal and modeless sheets start alike.
TEST_F(PropertySheetTest, TheSheetIsShownAndActivatedAfterItsCallbackAndFirstPage) {
  const std::vector<std::string> start{"cb GETVERSION (no window)", "cb PRECREATE (no window)", "cb GETTITLE",
                                       "cb INITIALIZED with tabs", "0 init", "0 SETACTIVE", "sheet show TRUE",
                                       "sheet activate visible", "focus 1040"};
  header_.pfnCallback = LoggingStartCallback;
  EXPECT_EQ(Run({user::Cancel()}), 0);
  std::vector<std::string> modal(g_log.begin(), g_log.begin() + std::min(g_log.size(), start.size()));
  EXPECT_EQ(modal, start);

  g_log.clear();
  header_.dwFlags |= PSH_MODELESS;
  auto sheet = reinterpret_cast<HWND>(PropertySheetW(&header_));
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(g_log, start);
  DestroyWindow(sheet);
}

struct Closing {
  const char* name;
  std::vector<user::Step> steps;
  std::map<std::string, LRESULT> answers;
  INT_PTR result;
  std::vector<std::string> tail;  // the log after INITIALIZED and the first page's init and SETACTIVE
};

TEST_F(PropertySheetTest, PageChangesOkAndCancelNotifyThePagesAndAnswerAsTheDeviceDoes) {
  auto postCommand = [](WORD id) {
    return user::Run("command", [id] { PostMessageW(GetActiveWindow(), WM_COMMAND, id, 0); });
  };
  std::vector<Closing> cases = {
      {"tab then OK", {user::Tab(1), user::Expect(user::ControlShown(1041)), user::Ok()}, {}, 1,
       {"0 KILLACTIVE", "1 init", "1 SETACTIVE", "1 KILLACTIVE", "0 APPLY", "1 APPLY"}},
      {"tab by title then Cancel", {user::Tab(u"Three"), user::Cancel()}, {}, 0,
       {"0 KILLACTIVE", "2 init", "2 SETACTIVE", "2 QUERYCANCEL", "0 RESET", "2 RESET"}},
      {"a page refuses to be left", {user::Tab(1), user::Expect(user::ControlShown(1040)), user::Cancel()},
       {{"0 KILLACTIVE", TRUE}}, 0, {"0 KILLACTIVE", "0 QUERYCANCEL", "0 RESET"}},
      {"the current page refuses a cancel: the sheet stays open",
       {user::Cancel(), user::Expect(user::ControlShown(1040)), user::Ok()}, {{"0 QUERYCANCEL", TRUE}}, 1,
       {"0 QUERYCANCEL", "0 KILLACTIVE", "0 APPLY"}},
      {"a page refuses to apply once", {user::Ok(), user::Expect(user::ControlShown(1040)), user::Ok()},
       {{"0 APPLY", PSNRET_INVALID_NOCHANGEPAGE}}, 1, {"0 KILLACTIVE", "0 APPLY", "0 KILLACTIVE", "0 APPLY"}},
      {"a page not shown refuses to apply: the sheet stays open",
       {user::Tab(1), user::Tab(0), user::Ok(), user::Expect(user::ControlShown(1040)), user::Cancel()},
       {{"1 APPLY", PSNRET_INVALID_NOCHANGEPAGE}}, 0,
       {"0 KILLACTIVE", "1 init", "1 SETACTIVE", "1 KILLACTIVE", "0 SETACTIVE", "0 KILLACTIVE", "0 APPLY", "1 APPLY",
        "0 QUERYCANCEL", "0 RESET", "1 RESET"}},
      {"soft-key commands reach the current page", {postCommand(2201)}, {}, 1,
       {"0 command 2201", "0 KILLACTIVE", "0 APPLY"}},
      {"a cancel command reaches the page too", {postCommand(2200)}, {}, 0,
       {"0 command 2200", "0 QUERYCANCEL", "0 RESET"}},
      {"a page that ends itself takes the sheet with it", {postCommand(77), user::Run("after", [] {})}, {}, 0, {}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_log.clear();
    g_answers = c.answers;
    // A step left over means the sheet was gone before it: only the page-ending case has one.
    INT_PTR result = Run(c.steps);
    EXPECT_EQ(result, c.result);
    std::vector<std::string> tail(g_log.begin() + std::min<std::ptrdiff_t>(6, static_cast<std::ptrdiff_t>(g_log.size())),
                                  g_log.end());
    EXPECT_EQ(tail, c.tail);
    EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
  }
  EXPECT_EQ(user::StepsLeft(), 1u) << "the sheet whose page ended was gone before the next step";
}

TEST_F(PropertySheetTest, PsmSetCurSelMakesThePageAndAnswersItsWindow) {
  HWND current = nullptr, second = nullptr;
  INT_PTR result = Run({user::Run("select", [&] {
                          HWND sheet = GetActiveWindow();
                          EXPECT_TRUE(SendMessageW(sheet, PSM_SETCURSEL, 2, 0));
                          current = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
                          second = GetParent(GetDlgItem(current, 1042));
                          EXPECT_FALSE(SendMessageW(sheet, PSM_SETCURSEL, 9, 0)) << "no page 9";
                        }),
                        user::Expect(user::ControlShown(1042)), user::Cancel()});
  EXPECT_EQ(result, 0);
  EXPECT_NE(current, nullptr);
  EXPECT_EQ(current, second);
  EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
}

TEST_F(PropertySheetTest, ASheetThatCannotBeMadeAnswersMinusOneAndShowsNothing) {
  PROPSHEETHEADERW empty = header_;
  empty.nPages = 0;
  EXPECT_EQ(PropertySheetW(&empty), -1);
  EXPECT_EQ(PropertySheetW(nullptr), -1);
  pages_[2].dwFlags = 0;  // a template by name that the instance does not have
  pages_[2].hInstance = nullptr;
  pages_[2].pszTemplate = MAKEINTRESOURCEW(7399);
  user::SetScript({});
  EXPECT_EQ(PropertySheetW(&header_), -1);
  EXPECT_TRUE(g_log.empty()) << "nothing was called before the sheet was refused";
  EXPECT_TRUE(user::Failures().empty());
}

TEST_F(PropertySheetTest, ASoftKeyWithNoBarUpIsAFailedStep) {
  INT_PTR result = Run({user::SoftKey(1)});
  EXPECT_EQ(result, 0) << "the failure ends the sheet with its cancel result";
  ASSERT_EQ(user::Failures().size(), 1u);
  EXPECT_NE(user::Failures()[0].message.find("no soft-key bar"), std::string::npos) << user::Failures()[0].message;
}

// The first page's first tab stop takes the focus when the sheet opens, as on desktop Win32 (where
// a combo box there tells its page CBN_SETFOCUS at once).
TEST_F(PropertySheetTest, TheFirstTabStopOfTheFirstPageTakesTheFocus) {
  bool focused = false;
  Run({user::Run("look", [&focused] { focused = GetFocus() == GetDlgItem(CurrentPage(), 1040); }), user::Cancel()});
  EXPECT_TRUE(focused);
}

// A subclass that keeps the shell's repositioning (SWP_NOOWNERZORDER) from DefWindowProc, as a
// program may to tell a turn of the screen from a switch away.
WNDPROC g_sheetProc = nullptr;
LRESULT KeepShellRepositioning(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WINDOWPOSCHANGED && (reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOOWNERZORDER)) return 0;
  return CallWindowProcW(g_sheetProc, window, message, wParam, lParam);
}
int SubclassingCallback(HWND sheet, UINT message, LPARAM lParam) {
  if (message == PSCB_INITIALIZED)
    g_sheetProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeepShellRepositioning)));
  return SheetCallback(sheet, message, lParam);
}

// After a turn the sheet fills the screen, its tab row lies along the bottom and its current page
// above it has heard WM_SIZE, whether or not the sheet heard WM_SIZE itself; a page shown later is
// laid out when shown.
TEST_F(PropertySheetTest, ARotationLaysOutTheSheetAndItsPages) {
  for (bool subclassed : {false, true}) {
    SCOPED_TRACE(subclassed ? "subclassed" : "plain");
    header_.pfnCallback = subclassed ? SubclassingCallback : SheetCallback;
    handset::screen::SetSize(240, 320);
    g_sizes.clear();
    RECT sheetRect{}, sheetClient{}, pageRect{}, tabsRect{}, laterPage{};
    // The page and the tab row in the sheet's client coordinates.
    auto measure = [&](RECT& page) {
      return user::Run("measure", [&] {
        HWND sheet = GetActiveWindow();
        GetWindowRect(sheet, &sheetRect);
        GetClientRect(sheet, &sheetClient);
        GetWindowRect(CurrentPage(), &page);
        MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&page), 2);
        GetWindowRect(reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)), &tabsRect);
        MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&tabsRect), 2);
      });
    };
    INT_PTR result = Run({user::Rotate(320, 240), measure(pageRect), user::Tab(1), measure(laterPage), user::Ok()});
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
    EXPECT_EQ(sheetRect.right - sheetRect.left, 320);
    EXPECT_EQ(sheetRect.bottom - sheetRect.top, 240);
    EXPECT_EQ(tabsRect.bottom, sheetClient.bottom) << "the tab row lies along the bottom";
    EXPECT_EQ(tabsRect.left, 0);
    EXPECT_EQ(tabsRect.right, sheetClient.right);
    EXPECT_EQ(Edges(pageRect), Edges({0, 0, sheetClient.right, tabsRect.top})) << "the page fills the space above the tabs";
    EXPECT_EQ(Edges(laterPage), Edges(pageRect)) << "a page shown after the turn";
    auto lastWidth = [](int page) {
      auto heard = std::find_if(g_sizes.rbegin(), g_sizes.rend(), [page](const auto& size) { return size.first == page; });
      return heard == g_sizes.rend() ? -1 : static_cast<int>(LOWORD(heard->second));
    };
    EXPECT_EQ(lastWidth(0), sheetClient.right) << "the first page heard WM_SIZE with the new width";
    EXPECT_EQ(lastWidth(1), sheetClient.right) << "the second page, when shown";
  }
}

// Page callbacks: what each page record's callback heard, in order.
UINT PageCallback(HWND, UINT message, PROPSHEETPAGEW* page) {
  g_log.push_back("page " + std::to_string(page->lParam) + (message == PSPCB_CREATE ? " CREATE" : " RELEASE"));
  return 1;
}

std::vector<std::u16string> TabTitles(HWND sheet) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  std::vector<std::u16string> titles;
  for (int i = 0; i < SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0); ++i) {
    WCHAR text[32] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    titles.emplace_back(text);
  }
  return titles;
}

// Pages given as handles: the sheet runs them as it runs records, owns them from the call on and
// destroys every one when it returns, so each callback hears PSPCB_RELEASE once and the handles are
// gone; a handle no sheet took is the program's to destroy; PSP_USEREFPARENT counts while a page
// lives.
TEST_F(PropertySheetTest, PageHandlesRunAsRecordsAndTheSheetDestroysThem) {
  UINT references = 0;
  std::vector<HPROPSHEETPAGE> handles;
  for (auto& page : pages_) {
    page.dwFlags |= PSP_USECALLBACK | PSP_USEREFPARENT;
    page.pfnCallback = PageCallback;
    page.pcRefParent = &references;
    handles.push_back(CreatePropertySheetPageW(&page));
    ASSERT_NE(handles.back(), nullptr);
  }
  EXPECT_EQ(references, 3u);
  HPROPSHEETPAGE spare = CreatePropertySheetPageW(&pages_[0]);
  header_.dwFlags &= ~static_cast<DWORD>(PSH_PROPSHEETPAGE);
  header_.nPages = 2;
  header_.phpage = handles.data();
  INT_PTR result = Run({user::Tab(1), user::Ok()});
  EXPECT_EQ(result, 1);
  EXPECT_EQ(g_log, (std::vector<std::string>{"cb GETVERSION (no window)", "cb PRECREATE (no window)", "cb GETTITLE",
                                             "cb INITIALIZED with tabs", "page 0 CREATE", "0 init", "0 SETACTIVE",
                                             "0 KILLACTIVE", "page 1 CREATE", "1 init", "1 SETACTIVE", "1 KILLACTIVE",
                                             "0 APPLY", "1 APPLY", "page 0 RELEASE", "page 1 RELEASE"}));
  EXPECT_FALSE(DestroyPropertySheetPage(handles[0])) << "the sheet destroyed the handles it was given";
  EXPECT_EQ(references, 2u) << "the page not given to the sheet and the spare still live";
  g_log.clear();
  EXPECT_TRUE(DestroyPropertySheetPage(handles[2]));
  EXPECT_TRUE(DestroyPropertySheetPage(spare));
  EXPECT_EQ(g_log, (std::vector<std::string>{"page 2 RELEASE", "page 0 RELEASE"}));
  EXPECT_EQ(references, 0u);

  // A record whose template cannot be found makes no handle; a header with an unknown handle runs no
  // sheet and still destroys the handles it was given.
  PROPSHEETPAGEW missing = pages_[0];
  missing.dwFlags = 0;
  missing.pszTemplate = MAKEINTRESOURCEW(7399);
  EXPECT_EQ(CreatePropertySheetPageW(&missing), nullptr);
  EXPECT_EQ(CreatePropertySheetPageW(nullptr), nullptr);
  HPROPSHEETPAGE given[2] = {CreatePropertySheetPageW(&pages_[1]), reinterpret_cast<HPROPSHEETPAGE>(0x4444)};
  header_.phpage = given;
  g_log.clear();
  user::SetScript({});
  EXPECT_EQ(PropertySheetW(&header_), -1);
  EXPECT_EQ(g_log, (std::vector<std::string>{"page 1 RELEASE"}));
  EXPECT_FALSE(DestroyPropertySheetPage(given[0]));
}

// PSM_ADDPAGE puts a page after the last with its tab; PSM_REMOVEPAGE takes one away by handle or
// index, and when it was the current page shows the one that took its place without asking it.
TEST_F(PropertySheetTest, PagesAddedAndRemovedWhileTheSheetIsUp) {
  struct Case {
    const char* name;
    std::function<void(HWND sheet, HPROPSHEETPAGE added)> act;
    std::vector<std::u16string> tabs;  // after the act
    std::vector<std::string> log;      // what the act made the pages hear
  };
  std::vector<Case> cases = {
      {"added, then shown", [](HWND sheet, HPROPSHEETPAGE) { SendMessageW(sheet, PSM_SETCURSEL, 3, 0); },
       {u"One", u"Two", u"Three", u"Added"}, {"0 KILLACTIVE", "page 9 CREATE", "9 init", "9 SETACTIVE"}},
      {"the current page removed by index: the next one is shown",
       [](HWND sheet, HPROPSHEETPAGE) { SendMessageW(sheet, PSM_REMOVEPAGE, 0, 0); },
       {u"Two", u"Three", u"Added"}, {"1 init", "1 SETACTIVE"}},
      {"the added page removed by handle before it was shown",
       [](HWND sheet, HPROPSHEETPAGE added) { SendMessageW(sheet, PSM_REMOVEPAGE, 0, reinterpret_cast<LPARAM>(added)); },
       {u"One", u"Two", u"Three"}, {"page 9 RELEASE"}},
      {"the last page current and removed: the one before is shown",
       [](HWND sheet, HPROPSHEETPAGE) {
         SendMessageW(sheet, PSM_SETCURSEL, 3, 0);
         SendMessageW(sheet, PSM_REMOVEPAGE, 3, 0);
       },
       {u"One", u"Two", u"Three"}, {"0 KILLACTIVE", "page 9 CREATE", "9 init", "9 SETACTIVE", "page 9 RELEASE",
                                    "2 init", "2 SETACTIVE"}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    PROPSHEETPAGEW extra = pages_[0];
    extra.dwFlags |= PSP_USETITLE | PSP_USECALLBACK;
    extra.pszTitle = u"Added";
    extra.pfnCallback = PageCallback;
    extra.lParam = 9;
    HPROPSHEETPAGE added = CreatePropertySheetPageW(&extra);
    std::vector<std::u16string> tabs;
    std::vector<std::string> heard;
    bool refusedTwice = false, refusedUnknown = false;
    Run({user::Run("act",
                   [&] {
                     HWND sheet = GetActiveWindow();
                     EXPECT_TRUE(SendMessageW(sheet, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(added)));
                     refusedTwice = !SendMessageW(sheet, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(added));
                     refusedUnknown = !SendMessageW(sheet, PSM_ADDPAGE, 0, 0x4444);
                     std::size_t before = g_log.size();
                     c.act(sheet, added);
                     heard.assign(g_log.begin() + static_cast<std::ptrdiff_t>(before), g_log.end());
                     tabs = TabTitles(sheet);
                     EXPECT_NE(CurrentPage(), nullptr) << "a page is current";
                   }),
         user::Cancel()});
    EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
    EXPECT_TRUE(refusedTwice) << "a page already in the sheet";
    EXPECT_TRUE(refusedUnknown);
    EXPECT_EQ(tabs, c.tabs);
    EXPECT_EQ(heard, c.log);
    EXPECT_FALSE(DestroyPropertySheetPage(added)) << "the sheet owned the added page";
  }
}

// The rest of what CE's sheet takes: PSM_SETTITLE, a start page by name, pages made with the sheet.
TEST_F(PropertySheetTest, TitleStartPageByNameAndPagesMadeWithTheSheet) {
  header_.dwFlags |= PSH_USEPSTARTPAGE;
  header_.pStartPage = u"Two";
  pages_[2].dwFlags |= PSP_PREMATURE;
  std::u16string title, plain;
  bool thirdMade = false, thirdHidden = false;
  INT_PTR result = Run({user::Run("look",
                                  [&] {
                                    HWND sheet = GetActiveWindow();
                                    WCHAR text[64] = {};
                                    SendMessageW(sheet, PSM_SETTITLEW, PSH_PROPTITLE, reinterpret_cast<LPARAM>(u"Phone"));
                                    GetWindowTextW(sheet, text, 64);
                                    title = text;
                                    SendMessageW(sheet, PSM_SETTITLEW, 0, reinterpret_cast<LPARAM>(u"Phone"));
                                    GetWindowTextW(sheet, text, 64);
                                    plain = text;
                                    for (HWND child = GetWindow(sheet, GW_CHILD); child;
                                         child = GetWindow(child, GW_HWNDNEXT))
                                      if (GetDlgItem(child, 1042)) {
                                        thirdMade = true;
                                        thirdHidden = !IsWindowVisible(child);
                                      }
                                  }),
                        user::Ok()});
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
  EXPECT_EQ(title, u"Properties for Phone");
  EXPECT_EQ(plain, u"Phone");
  EXPECT_EQ(std::vector<std::string>(g_log.begin() + 4, g_log.end()),
            (std::vector<std::string>{"1 init", "1 SETACTIVE", "2 init", "1 KILLACTIVE", "1 APPLY", "2 APPLY"}))
      << "the start page named, then the premature page made without SETACTIVE; both apply";
  EXPECT_TRUE(thirdMade);
  EXPECT_TRUE(thirdHidden) << "made, not shown";
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A modeless sheet: PropertySheetW answers its window at once; the program's loop passes keys
// through PSM_ISDIALOGMESSAGE; after OK the sheet stays up with no current page until the program
// destroys it, which releases its pages.
// The sheet's macros: PSM_QUERYSIBLINGS goes to the pages made so far in tab order until one
// answers; PSM_APPLY applies as OK does (the current page may refuse to be left, a page may refuse
// the changes) and leaves the sheet open.
TEST_F(PropertySheetTest, TheSheetMacrosQueryThePagesAndApplyWithoutClosing) {
  LRESULT siblings = -1, applied = -1, refused = -1;
  int tabsId = 0;
  HWND current = nullptr;
  std::vector<std::string> queried, applying;
  INT_PTR result = Run({user::Run("use the macros", [&] {
                          HWND sheet = GetActiveWindow();
                          PropSheet_SetCurSel(sheet, nullptr, 1);
                          g_log.clear();
                          siblings = PropSheet_QuerySiblings(sheet, 2, 3);
                          queried = g_log;
                          g_log.clear();
                          applied = PropSheet_Apply(sheet);
                          g_answers["0 APPLY"] = PSNRET_INVALID_NOCHANGEPAGE;
                          refused = PropSheet_Apply(sheet);
                          applying = g_log;
                          tabsId = GetDlgCtrlID(PropSheet_GetTabControl(sheet));
                          current = PropSheet_GetCurrentPageHwnd(sheet);
                        }),
                        user::Cancel()});
  EXPECT_TRUE(user::Failures().empty()) << user::Failures()[0].message;
  EXPECT_EQ(result, 0) << "Apply leaves the sheet open for Cancel";
  EXPECT_EQ(siblings, 5);
  EXPECT_EQ(queried, (std::vector<std::string>{"0 siblings", "1 siblings"})) << "page 2 was never made";
  EXPECT_EQ(applied, TRUE);
  EXPECT_EQ(refused, FALSE);
  EXPECT_EQ(applying, (std::vector<std::string>{"1 KILLACTIVE", "0 APPLY", "1 APPLY", "1 KILLACTIVE", "0 APPLY"}));
  EXPECT_EQ(tabsId, 0x3020);
  EXPECT_NE(current, nullptr);
}

TEST_F(PropertySheetTest, AModelessSheetAnswersItsWindowAndLivesUntilDestroyed) {
  for (auto& page : pages_) {
    page.dwFlags |= PSP_USECALLBACK;
    page.pfnCallback = PageCallback;
  }
  header_.dwFlags |= PSH_MODELESS;
  auto sheet = reinterpret_cast<HWND>(PropertySheetW(&header_));
  ASSERT_TRUE(IsWindow(sheet));
  EXPECT_TRUE(IsWindowVisible(sheet));
  HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  ASSERT_NE(page, nullptr);
  MSG tab{GetDlgItem(page, 1040), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_TRUE(SendMessageW(sheet, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&tab)));
  EXPECT_FALSE(SendMessageW(sheet, PSM_ISDIALOGMESSAGE, 0, 0));

  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  Pump();
  EXPECT_TRUE(IsWindow(sheet)) << "the program destroys a modeless sheet";
  EXPECT_EQ(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0), 0) << "the sign that it ended";
  DestroyWindow(sheet);
  EXPECT_EQ(std::vector<std::string>(g_log.begin() + 4, g_log.end()),
            (std::vector<std::string>{"page 0 CREATE", "0 init", "0 SETACTIVE", "0 KILLACTIVE", "0 APPLY",
                                      "page 0 RELEASE", "page 1 RELEASE", "page 2 RELEASE"}));
  EXPECT_FALSE(IsWindow(page));
}

}  // namespace
