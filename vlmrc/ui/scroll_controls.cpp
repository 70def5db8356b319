#include "ui/scroll_controls.h"

#define MOVE_WITHOUT_SIZE_FLAGS (SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)

const int ScrollControlIds[SCROLL_CONTROL_COUNT] = {1030, 1040, 7200, 7201, 1032, 1041, 1033,
                                                    7204, 1022, 1023, 1034, 1020, 1021};

ScrollControlSlot ScrollControlTable[SCROLL_CONTROL_COUNT];

int GetVertScrollPos(HWND window) {
  SCROLLINFO info = {};
  info.cbSize = sizeof(SCROLLINFO);
  info.fMask = SIF_POS;
  GetScrollInfo(window, SB_VERT, &info);
  return info.nPos;
}

int SetVertScrollPos(HWND window, int position) {
  SCROLLINFO info = {};
  info.cbSize = sizeof(SCROLLINFO);
  info.fMask = SIF_POS;
  info.nPos = position;
  return SetScrollInfo(window, SB_VERT, &info, TRUE);
}

BOOL GetScrollControlId(UINT slot, int* id) {
  *id = -1;
  if (slot >= SCROLL_CONTROL_COUNT) return FALSE;
  *id = ScrollControlIds[slot];
  return TRUE;
}

void RecordScrollControls(HWND page) {
  const RECT empty = {0, 0, 0, 0};
  for (UINT slot = 0; slot < SCROLL_CONTROL_COUNT; ++slot) {
    ScrollControlTable[slot].window = NULL;
    ScrollControlTable[slot].home = empty;
  }
  // The screen y of the page's client origin, found from the first control.
  LONG offset = 0;
  for (UINT slot = 0; slot < SCROLL_CONTROL_COUNT; ++slot) {
    int id;
    GetScrollControlId(slot, &id);
    HWND control = GetDlgItem(page, id);
    ScrollControlTable[slot].window = control;
    if (control == NULL) break;
    RECT* home = &ScrollControlTable[slot].home;
    GetWindowRect(control, home);
    if (slot == 0) {
      POINT corner = {home->left, home->top};
      ScreenToClient(page, &corner);
      offset = home->top - corner.y;
    }
    home->top -= offset;
    home->bottom -= offset;
  }
}

void MoveScrollControls(int position) {
  for (UINT slot = 0; slot < SCROLL_CONTROL_COUNT; ++slot) {
    const ScrollControlSlot* entry = &ScrollControlTable[slot];
    if (entry->window == NULL) continue;
    SetWindowPos(entry->window, NULL, entry->home.left, entry->home.top - position, 0, 0, MOVE_WITHOUT_SIZE_FLAGS);
  }
}
