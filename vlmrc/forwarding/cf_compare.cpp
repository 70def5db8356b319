#include "forwarding/cf_info.h"

BOOL CompareCFInfo(const VideoCFInfo* queried, VideoCFInfo* edited) {
  BOOL unchanged = TRUE;
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    const CFReason* reason = &CFReasons[i];
    if (queried->*reason->active != edited->*reason->active) {
      edited->*reason->changed = TRUE;
      unchanged = FALSE;
    }
  }
  // Numbers as typed, so a change of separators alone counts; a number without its terminator is
  // read no further than the longest number a field holds.
  for (int i = 0; i < CF_REASON_COUNT; ++i) {
    const CFReason* reason = &CFReasons[i];
    if (wcsncmp(queried->*reason->number, edited->*reason->number, CF_NUMBER_MAX_LENGTH) != 0) {
      edited->*reason->changed = TRUE;
      unchanged = FALSE;
    }
  }
  // The no-reply time belongs to the no-answer reason.
  if (queried->nNoReplyIndex != edited->nNoReplyIndex) {
    edited->bNoAnsChanged = TRUE;
    unchanged = FALSE;
  }
  return unchanged;
}
