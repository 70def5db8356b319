#include "forwarding/progress_dialog.h"

#include "resources/resource.h"

#define CF_BOX_FLAGS (MB_RETRYCANCEL | MB_ICONEXCLAMATION)

INT_PTR RunProgressDialog(HWND parent, HINSTANCE instance, UINT templateId, DLGPROC procedure, VideoCFInfo* info) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCE(templateId), RT_DIALOG);
  HGLOBAL loaded = found != NULL ? LoadResource(instance, found) : NULL;
  LPCDLGTEMPLATEW dialogTemplate = loaded != NULL ? (LPCDLGTEMPLATEW)LockResource(loaded) : NULL;
  // Without its template the dialog cannot show; the record's outcome flags stay as the caller set
  // them, so the caller goes no further.
  if (dialogTemplate == NULL) return -1;
  return DialogBoxIndirectParamW(instance, dialogTemplate, parent, procedure, (LPARAM)info);
}

int AskRetryOrCancel(HWND owner, HINSTANCE instance, UINT textId, LPWSTR text) {
  WCHAR caption[MAX_PATH] = {0};
  WCHAR message[MAX_PATH] = {0};
  LoadStringW(instance, IDS_CF_CAPTION, caption, MAX_PATH);
  LoadStringW(instance, textId, message, MAX_PATH);
  if (text != NULL) lstrcpynW(text, message, MAX_PATH);
  return MessageBoxW(owner, message, caption, CF_BOX_FLAGS);
}

void CopyCFNumber(LPWSTR destination, LPCWSTR source) { lstrcpynW(destination, source, CF_NUMBER_UNITS); }
