#include "options/preferences_page.h"

#include <aygshell.h>
#include <commctrl.h>

#include "frame/module.h"
#include "options/options_sheet.h"
#include "options/page_scrolling.h"
#include "options/template_relayout.h"
#include "resources/resource.h"
#include "ui/display_scale.h"
#include "ui/focus_notify.h"
#include "ui/fonts.h"
#include "ui/scroll_controls.h"
#include "ui/window_helpers.h"

#define LIST_ENTRY_UNITS 128
#define TEXT_UNITS 260
#define LABEL_FONT_HEIGHT 13
#define LABEL_FONT_WEIGHT 728
#define LARGE_BUTTON_MODE 12
#define MUTE_VIDEO_PICTURE 2
#define MUTE_VIDEO_FALLBACK 3
#define LAST_SCROLL_SLOT (SCROLL_CONTROL_COUNT - 1)

VTOptSetting* PreferencesSettings = NULL;
HFONT PreferencesFont = NULL;
int PreferencesPageHeight = 0;
BOOL SipShownSinceActivate = FALSE;

static const int LabelIds[] = {IDC_MUTE_VIDEO_LABEL, IDC_VIEW_MODE_LABEL, IDC_CAMERA_LABEL, IDC_CALL_SCREEN_LABEL,
                               IDC_PREFS_HEADING};
static const UINT MuteVideoEntries[] = {IDS_MUTEVIDEO_FREEZE, IDS_MUTEVIDEO_BLANK, IDS_MUTEVIDEO_PICTURE,
                                        IDS_MUTEVIDEO_DEFAULT_PICTURE};
static const UINT ViewModeEntries[] = {IDS_VIEWMODE_REMOTE_LARGE, IDS_VIEWMODE_LOCAL_LARGE, IDS_VIEWMODE_REMOTE_ONLY,
                                       IDS_VIEWMODE_LOCAL_ONLY};
// The large-button look offers only the first two view modes.
#define LARGE_BUTTON_VIEW_MODES 2
static const LPCWSTR PictureExtensions[] = {TEXT(".jpg"), TEXT(".gif"), TEXT(".bmp"), TEXT(".png"), TEXT(".wbmp")};

#define COUNT_OF(array) (sizeof(array) / sizeof((array)[0]))

static void InsertListEntries(HWND list, const UINT* stringIds, int count) {
  for (int index = 0; index < count; ++index) {
    WCHAR entry[LIST_ENTRY_UNITS] = {0};
    LoadStringW(g_hInstance, stringIds[index], entry, LIST_ENTRY_UNITS);
    SendMessageW(list, CB_INSERTSTRING, (WPARAM)index, (LPARAM)entry);
  }
}

static void EnablePictureControls(HWND page, BOOL enable) {
  HWND path = GetDlgItem(page, IDC_PICTURE_PATH);
  HWND browse = GetDlgItem(page, IDC_PICTURE_BROWSE);
  if (path != NULL) EnableWindow(path, enable);
  if (browse != NULL) EnableWindow(browse, enable);
}

static void SetCheck(HWND page, int id, BOOL checked) {
  HWND box = GetDlgItem(page, id);
  if (box != NULL && checked) SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
}

// Reads a box into its field: 1 when checked, else 0; inverted for the mirror box. A missing box
// leaves its field as it is.
static void ReadCheckBox(HWND page, int id) {
  HWND box = GetDlgItem(page, id);
  if (box == NULL) return;
  BOOL checked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  switch (id) {
    case IDC_SHOW_CALL_TIME: PreferencesSettings->bShowCallTime = checked; break;
    case IDC_SHOW_NUMBER_NAME: PreferencesSettings->bShowPhoneNum_Name = checked; break;
    case IDC_MIRROR_CAMERA: PreferencesSettings->bMirrorCamera = !checked; break;
    case IDC_ACCEPT_MUTE_VIDEO: PreferencesSettings->bAcceptVideoCallMuteVideo = checked; break;
    case IDC_MAKE_MUTE_VIDEO: PreferencesSettings->bMakeVideoCallMuteVideo = checked; break;
    default: break;
  }
}

static const int CheckBoxIds[] = {IDC_SHOW_CALL_TIME, IDC_SHOW_NUMBER_NAME, IDC_MIRROR_CAMERA, IDC_ACCEPT_MUTE_VIDEO,
                                  IDC_MAKE_MUTE_VIDEO};

static void SelectMuteVideoFallback(HWND page) {
  HWND list = GetDlgItem(page, IDC_MUTE_VIDEO_LIST);
  if (list != NULL) SendMessageW(list, CB_SETCURSEL, MUTE_VIDEO_FALLBACK, 0);
}

BOOL IsAcceptedPictureFile(LPCWSTR path) {
  if (path == NULL) return FALSE;
  LPCWSTR extension = wcsrchr(path, '.');
  if (extension == NULL || wcschr(extension, '\\') != NULL) return FALSE;
  for (size_t index = 0; index < COUNT_OF(PictureExtensions); ++index)
    if (lstrcmpiW(extension, PictureExtensions[index]) == 0) return TRUE;
  return FALSE;
}

static void InitPage(HWND page) {
  if (GetDBMUIFlag() == 0) {
    HDC dc = GetDC(page);
    if (dc != NULL) {
      PreferencesFont = CreateSharedResourceFont(dc, NULL, LABEL_FONT_HEIGHT * DisplayScale, LABEL_FONT_WEIGHT);
      ReleaseDC(page, dc);
      for (size_t index = 0; index < COUNT_OF(LabelIds); ++index) {
        HWND label = GetDlgItem(page, LabelIds[index]);
        if (label != NULL) SendMessageW(label, WM_SETFONT, (WPARAM)PreferencesFont, TRUE);
      }
    }
  }

  HWND muteList = GetDlgItem(page, IDC_MUTE_VIDEO_LIST);
  if (muteList != NULL) {
    InsertListEntries(muteList, MuteVideoEntries, COUNT_OF(MuteVideoEntries));
    SendMessageW(muteList, CB_SETCURSEL, PreferencesSettings->MuteVideo, 0);
  }
  HWND viewList = GetDlgItem(page, IDC_VIEW_MODE_LIST);
  if (viewList != NULL) {
    int entries = IsLargeButtonMode(LARGE_BUTTON_MODE) ? LARGE_BUTTON_VIEW_MODES : (int)COUNT_OF(ViewModeEntries);
    InsertListEntries(viewList, ViewModeEntries, entries);
    SendMessageW(viewList, CB_SETCURSEL, PreferencesSettings->ViewMode, 0);
  }

  SetCheck(page, IDC_SHOW_CALL_TIME, PreferencesSettings->bShowCallTime != 0);
  SetCheck(page, IDC_SHOW_NUMBER_NAME, PreferencesSettings->bShowPhoneNum_Name != 0);
  SetCheck(page, IDC_MIRROR_CAMERA, PreferencesSettings->bMirrorCamera == 0);
  SetCheck(page, IDC_ACCEPT_MUTE_VIDEO, PreferencesSettings->bAcceptVideoCallMuteVideo != 0);
  SetCheck(page, IDC_MAKE_MUTE_VIDEO, PreferencesSettings->bMakeVideoCallMuteVideo != 0);

  EnablePictureControls(page, PreferencesSettings->MuteVideo == MUTE_VIDEO_PICTURE);
  if (PreferencesSettings->PicFileName[0] != 0) {
    HWND path = GetDlgItem(page, IDC_PICTURE_PATH);
    if (path != NULL) SetWindowTextW(path, PreferencesSettings->PicFileName);
  } else if (PreferencesSettings->MuteVideo == MUTE_VIDEO_PICTURE) {
    // A picture chosen as the muted video without a file: the list offers the default picture,
    // the record keeps its value until the page applies.
    SelectMuteVideoFallback(page);
  }

  for (int slot = 0; slot < FOCUS_NOTIFY_SLOT_COUNT; ++slot) {
    HWND control = GetDlgItem(page, FocusNotifySlots[slot].id);
    if (control == NULL) continue;
    WNDPROC previous = (WNDPROC)SetWindowLongPtrW(control, GWLP_WNDPROC, (LONG_PTR)FocusNotifyProc);
    int found = FindFocusNotifySlot(FocusNotifySlots[slot].id);
    if (previous != NULL && found >= 0) FocusNotifySlots[found].previousProc = previous;
  }
}

// The picture picker, in front of the sheet: the chosen file becomes the path box's text; a file
// that is not a picture the call screen can show empties the box and says so.
static void SelectPicture(HWND page) {
  WCHAR title[TEXT_UNITS] = {0};
  WCHAR rejected[TEXT_UNITS] = {0};
  WCHAR caption[TEXT_UNITS] = {0};
  LoadStringW(g_hInstance, IDS_PICTURE_PICKER_TITLE, title, TEXT_UNITS);
  LoadStringW(g_hInstance, IDS_PICTURE_REJECTED, rejected, TEXT_UNITS);
  LoadStringW(g_hInstance, IDS_VTOPT_TITLE, caption, TEXT_UNITS);

  WCHAR file[MAX_PATH] = {0};
  OPENFILENAMEEX picker;
  ZeroMemory(&picker, sizeof(picker));
  picker.lStructSize = sizeof(picker);
  picker.hwndOwner = page;
  picker.lpstrFilter = NULL;
  picker.lpstrFile = file;
  picker.nMaxFile = MAX_PATH;
  picker.lpstrTitle = title;
  picker.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  picker.dwSortOrder = 0;
  picker.ExFlags = OFN_EXFLAG_THUMBNAILVIEW | OFN_EXFLAG_HIDEDRMFORWARDLOCKED;

  SheetDialogGuard = TRUE;
  if (GetOpenFileNameEx(&picker)) {
    HWND path = GetDlgItem(page, IDC_PICTURE_PATH);
    if (IsAcceptedPictureFile(file)) {
      if (path != NULL) SetWindowTextW(path, file);
    } else {
      if (path != NULL) SetWindowTextW(path, TEXT(""));
      MessageBoxW(page, rejected, caption, MB_OK | MB_ICONEXCLAMATION);
    }
  }
  SheetDialogGuard = FALSE;
}

static void OnCommand(HWND page, WPARAM wParam) {
  int id = LOWORD(wParam);
  switch (id) {
    case IDC_SHOW_CALL_TIME:
    case IDC_SHOW_NUMBER_NAME:
    case IDC_ACCEPT_MUTE_VIDEO:
    case IDC_MAKE_MUTE_VIDEO:
    case IDC_MIRROR_CAMERA:
      ReadCheckBox(page, id);
      break;
    case IDC_MUTE_VIDEO_LIST: {
      HWND list = GetDlgItem(page, IDC_MUTE_VIDEO_LIST);
      if (list != NULL) EnablePictureControls(page, SendMessageW(list, CB_GETCURSEL, 0, 0) == MUTE_VIDEO_PICTURE);
      break;
    }
    case IDC_PICTURE_BROWSE:
      if (HIWORD(wParam) == BN_CLICKED && GetDlgItem(page, IDC_PICTURE_BROWSE) != NULL) SelectPicture(page);
      break;
    default:
      HandleSoftKeyCommand(page, (UINT)id);
      break;
  }
}

static LRESULT SelectedIndex(HWND page, int id) {
  HWND list = GetDlgItem(page, id);
  return list != NULL ? SendMessageW(list, CB_GETCURSEL, 0, 0) : CB_ERR;
}

static void Apply(HWND page) {
  for (size_t index = 0; index < COUNT_OF(CheckBoxIds); ++index) ReadCheckBox(page, CheckBoxIds[index]);
  PreferencesSettings->MuteVideo = (DWORD)SelectedIndex(page, IDC_MUTE_VIDEO_LIST);
  PreferencesSettings->ViewMode = (DWORD)SelectedIndex(page, IDC_VIEW_MODE_LIST);

  ZeroMemory(PreferencesSettings->PicFileName, sizeof(PreferencesSettings->PicFileName));
  HWND path = GetDlgItem(page, IDC_PICTURE_PATH);
  if (path != NULL) GetWindowTextW(path, PreferencesSettings->PicFileName, MAX_PATH);
  if (PreferencesSettings->PicFileName[0] != 0) {
    if (path != NULL) SetWindowTextW(path, PreferencesSettings->PicFileName);
  } else if (PreferencesSettings->MuteVideo == MUTE_VIDEO_PICTURE) {
    SelectMuteVideoFallback(page);
    PreferencesSettings->MuteVideo = MUTE_VIDEO_FALLBACK;
  }

  SetVTOptSetting(PreferencesSettings);
  HWND sheet = GetParent(page);
  if (sheet != NULL) PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

static void OnSize(HWND page) {
  UINT layout = CurrentScreenOrientation() > 0 ? IDD_VIDEO_PREFS_PORTRAIT : IDD_VIDEO_PREFS_LANDSCAPE;
  RelayoutDialogFromTemplate(g_hInstance, page, layout);
  HWND showNumber = GetDlgItem(page, IDC_SHOW_NUMBER_NAME);
  if (IsLargeButtonMode(LARGE_BUTTON_MODE) && showNumber != NULL) {
    WCHAR caption[TEXT_UNITS] = {0};
    LoadStringW(g_hInstance, IDS_SHOW_NUMBER_LARGE, caption, TEXT_UNITS);
    SetWindowTextW(showNumber, caption);
  }

  RECT pageRect = {0, 0, 0, 0};
  GetWindowRect(page, &pageRect);
  int height = pageRect.bottom - pageRect.top;
  RecordScrollControls(page);

  SCROLLINFO scroll;
  ZeroMemory(&scroll, sizeof(scroll));
  scroll.cbSize = sizeof(scroll);
  scroll.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  scroll.nMin = 0;
  scroll.nMax = ScrollControlTable[LAST_SCROLL_SLOT].home.bottom;
  scroll.nPage = (UINT)height;
  scroll.nPos = 0;
  SetScrollInfo(page, SB_VERT, &scroll, TRUE);
  PreferencesPageHeight = height;
  MoveScrollControls(0);

  SIPINFO sip;
  ZeroMemory(&sip, sizeof(sip));
  sip.cbSize = sizeof(sip);
  if (SipGetInfo(&sip) && (sip.fdwFlags & SIPF_ON)) SipShownSinceActivate = TRUE;
  if (SipShownSinceActivate) PostMessageW(page, WM_ENSURECONTROLVISIBLE, (WPARAM)GetFocus(), 0);
}

static void OnVScroll(HWND page, WPARAM wParam) {
  int target;
  if (!ScrollRequestTarget(page, wParam, PreferencesPageHeight, &target)) return;
  SetVertScrollPos(page, target);
  MoveScrollControls(GetVertScrollPos(page));
}

static void EnsureControlVisible(HWND page, HWND control) {
  RECT pageRect = {0, 0, 0, 0};
  RECT controlRect = {0, 0, 0, 0};
  if (control == NULL || !GetWindowRect(page, &pageRect) || !GetWindowRect(control, &controlRect)) return;
  int position = GetVertScrollPos(page);
  int height = controlRect.bottom - controlRect.top;
  if (controlRect.top < pageRect.top) {
    int target = position - (pageRect.top - controlRect.top) - height;
    PostMessageW(page, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, (WORD)target), 0);
  } else if (controlRect.bottom > pageRect.bottom) {
    int target = position + (controlRect.bottom - pageRect.bottom) + height;
    PostMessageW(page, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, (WORD)target), 0);
  }
}

INT_PTR CALLBACK PreferencesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const PROPSHEETPAGEW* sheetPage = (const PROPSHEETPAGEW*)lParam;
      PreferencesSettings = sheetPage != NULL ? (VTOptSetting*)sheetPage->lParam : NULL;
      if (PreferencesSettings == NULL) return FALSE;
      InitPage(page);
      return TRUE;
    }
    case WM_COMMAND:
      if (PreferencesSettings == NULL) return FALSE;
      OnCommand(page, wParam);
      return TRUE;
    case WM_NOTIFY: {
      const NMHDR* header = (const NMHDR*)lParam;
      if (header == NULL || PreferencesSettings == NULL || header->code != PSN_APPLY) return FALSE;
      Apply(page);
      return FALSE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_ACTIVE) SetSheetTitle(page, IDS_TITLE_VIDEO_PREFS);
      SipShownSinceActivate = FALSE;
      return FALSE;
    case WM_SIZE:
      OnSize(page);
      return FALSE;
    case WM_VSCROLL:
      OnVScroll(page, wParam);
      return FALSE;
    case WM_ENSURECONTROLVISIBLE:
      EnsureControlVisible(page, (HWND)wParam);
      return FALSE;
    case WM_DESTROY:
      if (PreferencesFont != NULL) {
        DeleteObject(PreferencesFont);
        PreferencesFont = NULL;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

LRESULT CALLBACK FocusNotifyProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  int slot = FindFocusNotifySlot(GetWindowLongW(control, GWL_ID));
  WNDPROC previous = slot >= 0 ? FocusNotifySlots[slot].previousProc : NULL;
  if (message == WM_SETFOCUS) {
    HWND page = GetParent(control);
    if (page != NULL) PostMessageW(page, WM_ENSURECONTROLVISIBLE, (WPARAM)control, 0);
  }
  if (previous == NULL) return 0;
  return CallWindowProcW(previous, control, message, wParam, lParam);
}
