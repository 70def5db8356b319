// What the query and the set dialogs share: running a dialog template of the resource module, and
// the Retry/Cancel box that reports a failure.
#pragma once

#include <windows.h>

#include "forwarding/cf_info.h"

// Runs template `templateId` of `instance` modally with the record as its creation parameter; -1
// when the template is missing.
INT_PTR RunProgressDialog(HWND parent, HINSTANCE instance, UINT templateId, DLGPROC procedure, VideoCFInfo* info);

// Shows string `textId` in a Retry/Cancel box owned by the dialog, under the forwarding caption, and
// answers the button chosen. The text shown is left in `text` (MAX_PATH units) when it is given.
int AskRetryOrCancel(HWND owner, HINSTANCE instance, UINT textId, LPWSTR text);

// Copies a request's number into a record's number field, or the other way: at most the field's
// longest number, always terminated, however the source ends.
void CopyCFNumber(LPWSTR destination, LPCWSTR source);
