// The controls of the video call preferences page that tell the page when they receive the focus:
// their ids, and the window procedure each had before the page subclassed it.
#pragma once

#include <windows.h>

#define FOCUS_NOTIFY_SLOT_COUNT 9

typedef struct {
  int id;
  WNDPROC previousProc;  // stored by the page when it subclasses the control
} FocusNotifySlot;

extern FocusNotifySlot FocusNotifySlots[FOCUS_NOTIFY_SLOT_COUNT];

// The index of the entry for the control id, or -1.
int FindFocusNotifySlot(int id);
