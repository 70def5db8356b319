#include "ui/focus_notify.h"

FocusNotifySlot FocusNotifySlots[FOCUS_NOTIFY_SLOT_COUNT] = {
    {1040, NULL}, {7200, NULL}, {7201, NULL}, {1041, NULL}, {7204, NULL},
    {1022, NULL}, {1023, NULL}, {1020, NULL}, {1021, NULL},
};

int FindFocusNotifySlot(int id) {
  for (int index = 0; index < FOCUS_NOTIFY_SLOT_COUNT; ++index)
    if (FocusNotifySlots[index].id == id) return index;
  return -1;
}
