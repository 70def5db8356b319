// The video call preferences page scrolls its controls as one block inside the page: the page's
// vertical scroll position, and the table of the controls that scroll with their places at
// position 0. One page at a time uses the table.
#pragma once

#include <windows.h>

#define SCROLL_CONTROL_COUNT 13

typedef struct {
  HWND window;  // NULL: the slot is empty
  // Left and right: the control's screen x as the window manager reports it. Top and bottom: y in
  // the page's client area at scroll position 0.
  RECT home;
} ScrollControlSlot;

// The ids of the controls that scroll, in slot order.
extern const int ScrollControlIds[SCROLL_CONTROL_COUNT];
extern ScrollControlSlot ScrollControlTable[SCROLL_CONTROL_COUNT];

// The window's vertical scroll position; 0 when the window has no scroll bar to ask.
int GetVertScrollPos(HWND window);
// Asks for a new position and redraws the bar; the bar keeps it within its range, so callers read
// the accepted position back. Returns what SetScrollInfo returns.
int SetVertScrollPos(HWND window, int position);

// TRUE with the control id of the slot for slots 0 to 12; FALSE with -1 otherwise.
BOOL GetScrollControlId(UINT slot, int* id);

// Rebuilds the table from the page's controls, in slot order; the first control missing from the
// page ends the table there.
void RecordScrollControls(HWND page);
// Places every recorded control at its home, raised by the scroll position.
void MoveScrollControls(int position);
