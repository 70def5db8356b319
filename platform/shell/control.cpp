#include "core/handset.h"
#include "handset/shell.h"
#include "shell/input_panel.h"

namespace handset::shell {
namespace {

InputPanel& Panel() { return core::State<InputPanel>(); }

}  // namespace

void ShowInputPanel(bool shown) { Panel().Show(shown); }
bool InputPanelShown() { return Panel().Shown(); }
void SetInputPanelRect(const RECT& rect) { Panel().SetRect(rect); }
RECT InputPanelRect() { return Panel().Rect(); }

}  // namespace handset::shell
