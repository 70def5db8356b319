#include "options/template_relayout.h"

// A name-or-ordinal field that holds an ordinal starts with this unit.
#define ORDINAL_MARK 0xFFFF
// The first DWORD of an extended template (version 1, signature 0xFFFF).
#define EXTENDED_TEMPLATE_START 0xFFFF0001
#define UNNAMED_CONTROL_ID 0xFFFF

// The predefined control classes, by their ordinals in a template.
#define CLASS_ORDINAL_BUTTON 0x0080
#define CLASS_ORDINAL_STATIC 0x0082
#define CLASS_ORDINAL_LISTBOX 0x0083
#define CLASS_ORDINAL_COMBOBOX 0x0085

// The template's bytes and how far they have been read. Every read is checked against the size of
// the resource; offset never exceeds size.
typedef struct {
  const BYTE* data;
  DWORD size;
  DWORD offset;
} TemplateCursor;

typedef struct {
  const DLGITEMTEMPLATE* item;
  LPCWSTR classField;
  LPCWSTR titleField;
} TemplateItem;

// The next `count` bytes, or NULL when the resource ends before them.
static const BYTE* TakeBytes(TemplateCursor* cursor, DWORD count) {
  if (count > cursor->size - cursor->offset) return NULL;
  const BYTE* start = cursor->data + cursor->offset;
  cursor->offset += count;
  return start;
}

// A name-or-ordinal field: 0xFFFF and an ordinal, or a string with its terminator.
static LPCWSTR TakeNameOrOrdinal(TemplateCursor* cursor) {
  LPCWSTR field = (LPCWSTR)TakeBytes(cursor, sizeof(WCHAR));
  if (field == NULL) return NULL;
  if (field[0] == ORDINAL_MARK) return TakeBytes(cursor, sizeof(WORD)) != NULL ? field : NULL;
  for (LPCWSTR unit = field; *unit != 0;) {
    unit = (LPCWSTR)TakeBytes(cursor, sizeof(WCHAR));
    if (unit == NULL) return NULL;
  }
  return field;
}

// The header, with the cursor left at the first item; NULL for a truncated or extended template.
static const DLGTEMPLATE* TakeTemplateHeader(TemplateCursor* cursor) {
  const DLGTEMPLATE* header = (const DLGTEMPLATE*)TakeBytes(cursor, sizeof(DLGTEMPLATE));
  if (header == NULL || header->style == EXTENDED_TEMPLATE_START) return NULL;
  if (TakeNameOrOrdinal(cursor) == NULL || TakeNameOrOrdinal(cursor) == NULL || TakeNameOrOrdinal(cursor) == NULL)
    return NULL;
  if (header->style & DS_SETFONT) {
    if (TakeBytes(cursor, sizeof(WORD)) == NULL || TakeNameOrOrdinal(cursor) == NULL) return NULL;
  }
  return header;
}

// The next item, with the cursor left past its creation data; FALSE when the resource ends first.
static BOOL TakeTemplateItem(TemplateCursor* cursor, TemplateItem* entry) {
  if (TakeBytes(cursor, (4 - (cursor->offset & 3)) & 3) == NULL) return FALSE;
  entry->item = (const DLGITEMTEMPLATE*)TakeBytes(cursor, sizeof(DLGITEMTEMPLATE));
  if (entry->item == NULL) return FALSE;
  entry->classField = TakeNameOrOrdinal(cursor);
  if (entry->classField == NULL) return FALSE;
  entry->titleField = TakeNameOrOrdinal(cursor);
  if (entry->titleField == NULL) return FALSE;
  // A non-zero size counts the creation data from the start of the size field itself.
  DWORD sizeField = cursor->offset;
  const WORD* creationSize = (const WORD*)TakeBytes(cursor, sizeof(WORD));
  if (creationSize == NULL) return FALSE;
  if (*creationSize != 0) {
    cursor->offset = sizeField;
    if (TakeBytes(cursor, *creationSize) == NULL) return FALSE;
  }
  return TRUE;
}

BOOL RelayoutDialogFromTemplate(HINSTANCE instance, HWND dialog, UINT templateId) {
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCE(templateId), RT_DIALOG);
  if (resource == NULL) return FALSE;
  HGLOBAL loaded = LoadResource(instance, resource);
  if (loaded == NULL) return FALSE;
  TemplateCursor cursor = {(const BYTE*)LockResource(loaded), SizeofResource(instance, resource), 0};
  if (cursor.data == NULL) return FALSE;
  const DLGTEMPLATE* header = TakeTemplateHeader(&cursor);
  if (header == NULL) return FALSE;

  HDWP batch = BeginDeferWindowPos(header->cdit);
  if (batch == NULL) return FALSE;
  BOOL result = TRUE;
  int unnamedControls = 0;
  for (WORD index = 0; index < header->cdit; ++index) {
    TemplateItem entry;
    if (!TakeTemplateItem(&cursor, &entry)) {
      result = FALSE;
      break;
    }
    const DLGITEMTEMPLATE* item = entry.item;
    HWND control = GetDlgItem(dialog, item->id);
    if (control == NULL) {
      result = FALSE;
      continue;
    }
    RECT place = {item->x, item->y, item->x + item->cx, item->y + item->cy};
    if (!MapDialogRect(dialog, &place)) {
      result = FALSE;
      continue;
    }
    // A batch may move to a new handle as it grows; a failed move keeps the one there is.
    HDWP grown = DeferWindowPos(batch, control, NULL, place.left, place.top, place.right - place.left,
                                place.bottom - place.top, SWP_NOZORDER);
    if (grown == NULL)
      result = FALSE;
    else
      batch = grown;
    FixupTemplateItem(instance, dialog, item, entry.classField, entry.titleField);
    if (item->id == UNNAMED_CONTROL_ID) ++unnamedControls;
  }
  if (!EndDeferWindowPos(batch)) result = FALSE;
  // Two unnamed controls cannot be told apart: the first one found took both places.
  if (unnamedControls >= 2) result = FALSE;
  return result;
}

typedef BOOL (*ReleaseImage)(HANDLE image);
static BOOL ReleaseIcon(HANDLE image) { return DestroyIcon((HICON)image); }
static BOOL ReleaseBitmap(HANDLE image) { return DeleteObject((HGDIOBJ)image); }

// A new image replaces the shown one only once it has loaded, and the shown one is released only
// once the control has taken the new one (and unless the load handed back the very image shown).
// A control that does not take it (the template calls it an image static, the control is something
// else) leaves the new image to be released at once rather than lost at every relayout.
static void ShowImage(HWND dialog, int id, UINT type, HANDLE previous, HANDLE image, ReleaseImage release) {
  if (image == NULL) return;
  SendDlgItemMessageW(dialog, id, STM_SETIMAGE, type, (LPARAM)image);
  if ((HANDLE)SendDlgItemMessageW(dialog, id, STM_GETIMAGE, type, 0) != image) {
    release(image);
    return;
  }
  if (previous != NULL && previous != image) release(previous);
}

static void ReloadStaticImage(HINSTANCE instance, HWND dialog, int id, DWORD style, WORD imageId) {
  if ((style & SS_ICON) == SS_ICON) {
    HANDLE previous = (HANDLE)SendDlgItemMessageW(dialog, id, STM_GETIMAGE, IMAGE_ICON, 0);
    ShowImage(dialog, id, IMAGE_ICON, previous, LoadIconW(instance, MAKEINTRESOURCE(imageId)), ReleaseIcon);
  } else if ((style & SS_BITMAP) == SS_BITMAP) {
    HANDLE previous = (HANDLE)SendDlgItemMessageW(dialog, id, STM_GETIMAGE, IMAGE_BITMAP, 0);
    ShowImage(dialog, id, IMAGE_BITMAP, previous, LoadBitmapW(instance, MAKEINTRESOURCE(imageId)), ReleaseBitmap);
  }
}

// Sending the current selection again scrolls it back into view; no selection is left alone.
static void RefreshSelection(HWND dialog, int id, UINT getSelection, UINT setSelection, LRESULT noSelection) {
  LRESULT selection = SendDlgItemMessageW(dialog, id, getSelection, 0, 0);
  if (selection != noSelection) SendDlgItemMessageW(dialog, id, setSelection, (WPARAM)selection, 0);
}

void FixupTemplateItem(HINSTANCE instance, HWND dialog, const DLGITEMTEMPLATE* item, LPCWSTR classField,
                       LPCWSTR titleField) {
  if (classField[0] != ORDINAL_MARK) return;
  int id = item->id;
  switch (classField[1]) {
    case CLASS_ORDINAL_BUTTON:
    case CLASS_ORDINAL_STATIC:
      if (titleField[0] != ORDINAL_MARK)
        SetDlgItemTextW(dialog, id, titleField);
      else
        ReloadStaticImage(instance, dialog, id, item->style, titleField[1]);
      break;
    case CLASS_ORDINAL_LISTBOX:
      RefreshSelection(dialog, id, LB_GETCURSEL, LB_SETCURSEL, LB_ERR);
      break;
    case CLASS_ORDINAL_COMBOBOX:
      RefreshSelection(dialog, id, CB_GETCURSEL, CB_SETCURSEL, CB_ERR);
      break;
  }
}
