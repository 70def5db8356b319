// What a user does to a control that its messages alone cannot say: choosing an entry of a
// combo box's dropped list. The scripted user acts through these and through the messages a tap
// or a key press sends.
#pragma once

#include <windows.h>

namespace handset::controls {

// Drops the list, chooses entry `index` and closes it again, with the notifications of a real
// choice. False when the box has no such entry or is disabled.
bool ChooseComboItem(HWND comboBox, int index);

}  // namespace handset::controls
