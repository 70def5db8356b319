// Where a dialog puts the focus, shared by its creation and its default procedure: the first
// control that takes the tab key (in a group of radio buttons, the checked one), and how a control
// is given the focus by the dialog (an edit's text selected, a push button made the default one).
#pragma once

#include <windows.h>

namespace handset::dialogs {

// The control a dialog gives the focus to first: its first tab stop, or the checked radio button of
// that stop's group; the first visible, enabled control when none takes the tab key; null when the
// dialog has no such control.
HWND FirstFocusTarget(HWND dialog);

// SetFocus on a control of the dialog, its whole text selected when it takes EM_SETSEL.
void FocusControl(HWND control);

// A push button that gets the focus through WM_NEXTDLGCTL takes the default look
// (BS_DEFPUSHBUTTON) from the one that had it; any other control leaves the default as it is.
void MoveDefaultLook(HWND dialog, HWND control);

}  // namespace handset::dialogs
