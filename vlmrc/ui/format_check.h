// Checks a format string from the resources before it is filled with wsprintfW: a translated text
// may hold directives other than those the caller passes arguments for.
#pragma once

#include <windows.h>

// wsprintfW writes at most this many units, terminator included.
#define FORMAT_OUTPUT_UNITS 1024

typedef enum { ARG_STRING, ARG_CHAR, ARG_NUMBER, ARG_UNSUPPORTED } FormatArgument;

// TRUE when the text's directives take the expected arguments, in order: the first `expected`
// kinds or fewer, at least one. A text without directives (a line already filled in) or with any
// other directive is not a format the page may fill, since formatting it would read arguments that
// were never passed or of another kind.
BOOL IsFormatFor(LPCWSTR text, const FormatArgument* expected, int count);
