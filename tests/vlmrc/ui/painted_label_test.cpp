// The painted label: its shared style, and what one paint draws, in which order, with which
// objects, and that nothing it made outlives the paint.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handset/gdi.h"
#include "handset/screen.h"
#include "handset/trace.h"
#include "internals/internals_test.h"

namespace {

namespace gdi = handset::gdi;

// The dialog that shows the label: it answers WM_CTLCOLORSTATIC with a brush of its own.
HBRUSH g_parentBrush = nullptr;
int g_colorRequests = 0;
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC) {
    ++g_colorRequests;
    return reinterpret_cast<LRESULT>(g_parentBrush);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A procedure the label had before PaintedLabelProc; the label never hands it anything.
int g_previousProcCalls = 0;
WNDPROC g_staticProc = nullptr;
LRESULT CALLBACK PreviousProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++g_previousProcCalls;
  return CallWindowProcW(g_staticProc, window, message, wParam, lParam);
}

bool Point(const POINT& p, LONG x, LONG y) { return p.x == x && p.y == y; }
bool SameRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

class PaintedLabelTest : public testing_support::InternalsTest {
 protected:
  void SetUp() override {
    InternalsTest::SetUp();
    g_parentBrush = CreateSolidBrush(RGB(10, 20, 30));
    g_colorRequests = 0;
    g_previousProcCalls = 0;
    WNDCLASSW parentClass{};
    parentClass.lpfnWndProc = ParentProc;
    parentClass.hInstance = module_;
    parentClass.lpszClassName = u"LabelTestDialog";
    ASSERT_NE(RegisterClassW(&parentClass), 0);
  }
  void TearDown() override {
    if (parent_ != nullptr) DestroyWindow(parent_);
    DeleteObject(g_parentBrush);
    InternalsTest::TearDown();
  }

  // A label of the given size at the dialog's top left, painting itself.
  HWND MakeLabel(int width, int height, const char16_t* text) {
    parent_ = CreateWindowExW(0, u"LabelTestDialog", u"", WS_POPUP | WS_VISIBLE, 0, 0, width, 200, nullptr,
                              nullptr, module_, nullptr);
    HWND label = CreateWindowExW(0, u"static", text, WS_CHILD | WS_VISIBLE, 0, 0, width, height, parent_,
                                 reinterpret_cast<HMENU>(7202), module_, nullptr);
    g_staticProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(label, GWLP_WNDPROC));
    SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PreviousProc));
    SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(lib_->PaintedLabelProc));
    return label;
  }

  // One paint of the label, with the drawing record and the call trace cleared before it.
  void Paint(HWND label) {
    InvalidateRect(label, nullptr, TRUE);
    gdi::ClearDrawing();
    handset::trace::Start();
    UpdateWindow(label);
    handset::trace::Stop();
  }

  HWND parent_ = nullptr;
};

TEST_F(PaintedLabelTest, TheSharedStyleIsBuiltAtLoadWithTheDefaultLook) {
  const LabelStyle& style = *lib_->SharedLabelStyle;
  EXPECT_EQ(style.hwndOwner, nullptr);
  EXPECT_EQ(style.pfnPrevProc, nullptr);
  EXPECT_EQ(style.crBackground, GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(style.crText, GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(style.crLine, GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(style.lWeight, 600);
  EXPECT_EQ(style.bReserved, 0);
  EXPECT_EQ(style.uFormat, 0u);
  EXPECT_EQ(style.lLineWidth, 1);
  EXPECT_EQ(style.lTextInset, 6);
  EXPECT_EQ(style.dwOptions & LABEL_OPTION_OWN_BACKGROUND, 0u);
}

TEST_F(PaintedLabelTest, ADialogsStyleKeepsItsOwnerAndInitialisingKeepsOtherOptionBits) {
  HWND owner = reinterpret_cast<HWND>(0x1234);
  LabelStyle* style = lib_->NewLabelStyle(owner);
  EXPECT_EQ(style->hwndOwner, owner);
  EXPECT_EQ(style->lWeight, 600);
  EXPECT_EQ(style->crText, GetSysColor(COLOR_HIGHLIGHT));

  style->dwOptions = 0x6 | LABEL_OPTION_OWN_BACKGROUND;
  style->pfnPrevProc = lib_->PaintedLabelProc;
  style->lWeight = 100;
  lib_->InitLabelStyle(style);
  EXPECT_EQ(style->dwOptions, 0x6u);
  EXPECT_EQ(style->pfnPrevProc, nullptr);
  EXPECT_EQ(style->lWeight, 600);
  EXPECT_EQ(style->hwndOwner, owner);
  delete style;
}

TEST_F(PaintedLabelTest, APaintOnAQuarterVgaScreenDrawsBackgroundRuleAndTextAsLaidDown) {
  HWND label = MakeLabel(240, 20, u"Video call forwarding");
  Paint(label);

  auto calls = gdi::Drawing();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].function, "FillRect");
  EXPECT_TRUE(SameRect(calls[0].rect, 0, 0, 240, 20));
  EXPECT_EQ(calls[0].fill.handle, g_parentBrush);
  EXPECT_EQ(g_colorRequests, 1);

  EXPECT_EQ(calls[1].function, "MoveToEx");
  ASSERT_EQ(calls[1].points.size(), 1u);
  EXPECT_TRUE(Point(calls[1].points[0], 0, 19));
  EXPECT_EQ(calls[2].function, "LineTo");
  ASSERT_EQ(calls[2].points.size(), 2u);
  EXPECT_TRUE(Point(calls[2].points[0], 0, 19));
  EXPECT_TRUE(Point(calls[2].points[1], 241, 19));
  EXPECT_EQ(calls[2].pen.style, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(calls[2].pen.width, 1);
  EXPECT_EQ(calls[2].pen.color, GetSysColor(COLOR_WINDOWFRAME));

  const gdi::DrawCall& text = calls[3];
  EXPECT_EQ(text.function, "DrawTextW");
  EXPECT_EQ(text.text, u"Video call forwarding");
  EXPECT_TRUE(SameRect(text.rect, 6, 6, 237, 20)) << "the right edge comes from the screen, not the control";
  EXPECT_EQ(text.flags, static_cast<UINT>(DT_WORD_ELLIPSIS));
  EXPECT_EQ(text.font.height, 14);
  EXPECT_EQ(text.font.weight, 600);
  EXPECT_EQ(text.font.face, u"Tahoma");
  EXPECT_EQ(text.font.quality, CLEARTYPE_QUALITY);
  EXPECT_EQ(text.textColor, GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(text.bkMode, TRANSPARENT);
}

TEST_F(PaintedLabelTest, EveryObjectOfThePaintIsRestoredInOrderAndDeleted) {
  HWND label = MakeLabel(240, 20, u"Forwarding");
  auto before = gdi::LiveObjects();
  Paint(label);
  EXPECT_EQ(gdi::LiveObjects(), before);

  std::vector<std::string> order;
  for (const auto& call : handset::trace::Calls()) {
    // Only the calls on GDI objects and the device context (the first paint also reads the font
    // quality from the registry).
    if (call.function.starts_with("Reg") || call.function == "SendMessageW" || call.function == "PostMessageW")
      continue;
    std::string entry = call.function;
    if ((call.function == "SelectObject" || call.function == "DeleteObject") && !call.args.empty())
      entry += " " + call.args[0];
    order.push_back(entry);
  }
  std::vector<std::string> expected{"CreateFontIndirectW", "SelectObject font", "CreatePen", "SelectObject pen",
                                    "SetBkMode", "SetTextColor",
                                    // restored: text colour, background mode, font, pen
                                    "SetTextColor", "SetBkMode", "SelectObject font", "DeleteObject font",
                                    "SelectObject pen", "DeleteObject pen"};
  EXPECT_EQ(order, expected);
}

TEST_F(PaintedLabelTest, WithOptionBitZeroTheLabelFillsWithABrushOfItsOwnAndDeletesIt) {
  lib_->SharedLabelStyle->dwOptions |= LABEL_OPTION_OWN_BACKGROUND;
  lib_->SharedLabelStyle->crBackground = RGB(1, 2, 3);
  HWND label = MakeLabel(240, 20, u"Forwarding");
  auto before = gdi::LiveObjects();
  Paint(label);
  EXPECT_EQ(gdi::LiveObjects(), before);
  EXPECT_EQ(g_colorRequests, 0) << "the parent's brush is not asked for";

  auto fills = gdi::Drawing("FillRect");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_NE(fills[0].fill.handle, g_parentBrush);
  EXPECT_EQ(fills[0].fill.color, RGB(1, 2, 3));
  EXPECT_EQ(fills[0].brush.handle, fills[0].fill.handle) << "the label's brush is selected while it fills";

  std::vector<std::string> brushCalls;
  for (const auto& call : handset::trace::Calls())
    if (!call.args.empty() && call.args[0] == "brush") brushCalls.push_back(call.function);
  EXPECT_EQ(brushCalls, (std::vector<std::string>{"SelectObject", "SelectObject", "DeleteObject"}));
}

TEST_F(PaintedLabelTest, OnAVgaScreenTheFontAndTheTextRectangleFollowTheScale) {
  ASSERT_TRUE(handset::screen::SetSize(480, 640));
  *lib_->DisplayScale = 2;
  HWND label = MakeLabel(480, 40, u"Forwarding");
  Paint(label);
  auto texts = gdi::Drawing("DrawTextW");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].font.height, 28);
  EXPECT_TRUE(SameRect(texts[0].rect, 6, 6, 477, 40));
  auto lines = gdi::Drawing("LineTo");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(Point(lines[0].points[1], 481, 39));
}

TEST_F(PaintedLabelTest, TheStylesFormatLineAndInsetShapeThePaint) {
  LabelStyle* style = lib_->SharedLabelStyle;
  style->uFormat = DT_CENTER;
  style->lLineWidth = 3;
  style->lTextInset = 2;
  style->crLine = RGB(9, 9, 9);
  HWND label = MakeLabel(200, 30, u"Forwarding");
  Paint(label);
  auto calls = gdi::Drawing();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_TRUE(Point(calls[1].points[0], 0, 27));
  EXPECT_TRUE(Point(calls[2].points[1], 201, 27));
  EXPECT_EQ(calls[2].pen.width, 3);
  EXPECT_EQ(calls[2].pen.color, RGB(9, 9, 9));
  EXPECT_TRUE(SameRect(calls[3].rect, 2, 2, 237, 30));
  EXPECT_EQ(calls[3].flags, static_cast<UINT>(DT_WORD_ELLIPSIS | DT_CENTER));
}

TEST_F(PaintedLabelTest, NormalWeightSetThroughAnyStyleReachesEveryLabel) {
  LabelStyle* dialogStyle = lib_->NewLabelStyle(nullptr);
  lib_->SetLabelBold(dialogStyle, FALSE);
  EXPECT_EQ(dialogStyle->lWeight, 600) << "the weight belongs to the shared style";
  EXPECT_EQ(lib_->SharedLabelStyle->lWeight, 400);
  HWND label = MakeLabel(240, 20, u"Forwarding");
  Paint(label);
  EXPECT_EQ(gdi::Drawing("DrawTextW").at(0).font.weight, 400);

  lib_->SetLabelBold(lib_->SharedLabelStyle, TRUE);
  EXPECT_EQ(lib_->SharedLabelStyle->lWeight, 600);
  delete dialogStyle;
}

TEST_F(PaintedLabelTest, AnEmptyTextDrawsOnlyTheBackgroundAndTheRule) {
  HWND label = MakeLabel(240, 20, u"");
  Paint(label);
  auto texts = gdi::Drawing("DrawTextW");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(texts[0].lines.empty() || (texts[0].lines.size() == 1 && texts[0].lines[0].empty()));
  EXPECT_EQ(gdi::Drawing("FillRect").size(), 1u);
  EXPECT_EQ(gdi::Drawing("LineTo").size(), 1u);
}

TEST_F(PaintedLabelTest, ErasingPaintsNothingAndOtherMessagesGoToTheDefaultProcedureOnly) {
  HWND label = MakeLabel(240, 20, u"Forwarding");
  HDC dc = GetDC(label);
  gdi::ClearDrawing();
  EXPECT_EQ(SendMessageW(label, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
  EXPECT_TRUE(gdi::Drawing().empty());
  ReleaseDC(label, dc);

  EXPECT_TRUE(SetWindowTextW(label, u"Changed"));
  WCHAR text[32] = {};
  EXPECT_EQ(GetWindowTextW(label, text, 32), 7);
  EXPECT_EQ(std::u16string(text), u"Changed");
  EXPECT_EQ(g_previousProcCalls, 0) << "the label never calls the procedure it replaced";
}

}  // namespace
