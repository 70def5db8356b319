#include <string.h>

#include "forwarding/cf_info.h"

// The characters a dialled forwarding number may hold; "p" is a pause.
static const WCHAR PhoneNumberCharacters[] = TEXT("+p0123456789*#");

static WCHAR FilteredNumber[MAX_PATH];

LPCWSTR FilterPhoneNumber(LPCWSTR text) {
  memset(FilteredNumber, 0, sizeof(FilteredNumber));
  // The last unit of the buffer stays zero: a longer result is cut, never written past it.
  size_t length = 0;
  for (; *text != 0 && length < MAX_PATH - 1; ++text)
    if (wcschr(PhoneNumberCharacters, *text) != NULL) FilteredNumber[length++] = *text;
  if (length == 0) return TEXT("");
  return FilteredNumber;
}
