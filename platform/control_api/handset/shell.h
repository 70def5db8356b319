// Control API of the handset's shell: the soft input panel as the user shows and hides it.
#pragma once

#include <string>
#include <vector>

#include <windef.h>

namespace handset::shell {

// Hidden on a fresh handset. Showing or hiding it here is the user pressing the panel's button;
// windows are not told (a scripted step that needs them told sends the message itself).
void ShowInputPanel(bool shown);
bool InputPanelShown();

// The panel's rectangle in screen coordinates. Until one is set it lies along the bottom of the
// screen, as wide as the screen and 80 pixels high (160 on the VGA and wide-VGA screens), and
// follows the screen when it turns; a rectangle set here stays as set.
void SetInputPanelRect(const RECT& rect);
RECT InputPanelRect();

// The labels of the soft keys of the bar up now (the latest shown), left first: what a person
// reads along the bottom of the screen. Empty when no bar is up.
std::vector<std::u16string> SoftKeyLabels();

// The device paths of the pictures the picture picker up now shows, in its order; empty when no
// picker is up.
std::vector<std::u16string> PickerEntries();

}  // namespace handset::shell
