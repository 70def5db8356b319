#include "options/about_page.h"

#include <aygshell.h>
#include <commctrl.h>

#include "frame/module.h"
#include "options/options_sheet.h"
#include "options/page_scrolling.h"
#include "options/template_relayout.h"
#include "resources/resource.h"
#include "ui/display_scale.h"
#include "ui/fonts.h"
#include "ui/scroll_controls.h"
#include "ui/window_helpers.h"

#define LARGE_BUTTON_MODE 12
#define ABOUT_FONT_HEIGHT 16
#define ABOUT_BOLD_WEIGHT 700
#define LARGE_LOOK_FACE TEXT("Helvetica Neue LTd Pro 55 Roman")
#define LOGO_SUPPRESSION_KEY TEXT("ControlPanel\\LV")
#define NORMAL_LOGO_FILE TEXT("\\Windows\\ZARVOABOUTLOGO.BMP")
#define LARGE_LOGO_FILE TEXT("\\Windows\\ZARVOABOUTLOGO2.BMP")
#define STATIC_ALIGNMENT_BITS 0x0000000FL

HFONT AboutBoldFont = NULL;
HFONT AboutTextFont = NULL;
int AboutPageStep = 0;
// The logo's bitmap: a static keeps an image it is given without owning it, so the page deletes it
// with its window.
static HBITMAP AboutLogoBitmap = NULL;

// The four values of a place, by position (CY alone would be the SDK's currency type).
enum { PLACE_X, PLACE_Y, PLACE_CX, PLACE_CY };

static void DeleteFontHandle(HFONT* font) {
  if (*font == NULL) return;
  DeleteObject(*font);
  *font = NULL;
}

BOOL IsAboutLogoSuppressed(void) {
  HKEY key = NULL;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, LOGO_SUPPRESSION_KEY, 0, 0, &key) != ERROR_SUCCESS) return FALSE;
  RegCloseKey(key);
  return TRUE;
}

void CreateAboutLogo(HWND page, BOOL largeLook) {
  if (page == NULL) return;
  ZeroMemory(&AboutLayout[0], sizeof(AboutLayout[0]));
  // A logo window of an earlier page is gone with that page.
  if (largeLook) AboutItems[0].window = NULL;
  if (IsAboutLogoSuppressed()) return;
  HWND logo = CreateWindowExW(0, TEXT("static"), TEXT(""), WS_VISIBLE | SS_BITMAP, 0, 0, 0, 0, page, NULL, g_hInstance,
                              NULL);
  HBITMAP bitmap = SHLoadDIBitmap(largeLook ? LARGE_LOGO_FILE : NORMAL_LOGO_FILE);
  if (bitmap == NULL) return;
  if (AboutLogoBitmap != NULL) DeleteObject(AboutLogoBitmap);
  AboutLogoBitmap = bitmap;
  SendMessageW(logo, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap);
  if (largeLook) AboutItems[0].window = logo;
  AboutLayout[0].window = logo;
  RECT client = {0, 0, 0, 0};
  GetClientRect(logo, &client);
  AboutLayout[0].place[0] = client.left;
  AboutLayout[0].place[1] = client.top;
  AboutLayout[0].place[2] = client.right;
  AboutLayout[0].place[3] = client.bottom;
}

static void InitLargeLook(HWND page, HDC dc) {
  ComposeAboutTexts(page, NULL);
  for (int index = 1; index < ABOUT_ITEM_COUNT; ++index) {
    AboutItem* item = &AboutItems[index];
    DeleteFontHandle(&item->font);
    item->window = GetDlgItem(page, item->id);
    item->font = CreateSharedResourceFont(dc, LARGE_LOOK_FACE, item->fontHeight, item->fontWeight);
    if (item->window == NULL) continue;
    if (item->font != NULL) SendMessageW(item->window, WM_SETFONT, (WPARAM)item->font, TRUE);
    LONG style = GetWindowLongW(item->window, GWL_STYLE);
    SetWindowLongW(item->window, GWL_STYLE, (style & ~STATIC_ALIGNMENT_BITS) | item->alignment);
  }
  ReleaseDC(page, dc);
  CreateAboutLogo(page, TRUE);
  LayoutAboutFromTable();
}

static void InitNormalLook(HWND page, HDC dc) {
  AboutBoldFont = CreateSharedResourceFont(dc, NULL, ABOUT_FONT_HEIGHT * DisplayScale, ABOUT_BOLD_WEIGHT);
  AboutTextFont = CreateSharedResourceFont(dc, NULL, ABOUT_FONT_HEIGHT * DisplayScale, 0);
  ComposeAboutTexts(page, AboutBoldFont);
  HWND text = GetDlgItem(page, IDC_ABOUT_TEXT);
  if (text != NULL) SendMessageW(text, WM_SETFONT, (WPARAM)AboutTextFont, TRUE);
  ReleaseDC(page, dc);
  CreateAboutLogo(page, FALSE);
  LayoutAboutNormal(page);
}

// Places every item that has a window. The large look's places are x, y, cx, cy; the normal look's
// are left, top, right, bottom. Once the logo is placed, the lines after it go above it.
static void PlaceAboutItems(BOOL largeLook) {
  HWND order = HWND_TOP;
  for (int index = 0; index < ABOUT_ITEM_COUNT; ++index) {
    const AboutLayoutItem* item = &AboutLayout[index];
    if (item->window == NULL) continue;
    int width = largeLook ? item->place[PLACE_CX] : item->place[PLACE_CX] - item->place[PLACE_X];
    int height = largeLook ? item->place[PLACE_CY] : item->place[PLACE_CY] - item->place[PLACE_Y];
    SetWindowPos(item->window, order, item->place[PLACE_X], item->place[PLACE_Y], width, height, SWP_SHOWWINDOW);
    if (index == 0) order = HWND_TOPMOST;
  }
}

static void OnSize(HWND page) {
  int orientation = CurrentScreenOrientation();
  RelayoutDialogFromTemplate(g_hInstance, page, orientation > 0 ? IDD_ABOUT_PORTRAIT : IDD_ABOUT_LANDSCAPE);
  // The normal look stacks the template's lines again after the relayout has put them back.
  BOOL largeLook = IsLargeButtonMode(LARGE_BUTTON_MODE);
  if (largeLook)
    LayoutAboutFromTable();
  else
    LayoutAboutNormal(page);

  SCROLLINFO scroll;
  ZeroMemory(&scroll, sizeof(scroll));
  scroll.cbSize = sizeof(scroll);
  scroll.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  scroll.nPos = 0;
  AboutPageStep = 0;
  if (orientation < 0) {
    RECT pageRect = {0, 0, 0, 0};
    GetWindowRect(page, &pageRect);
    AboutPageStep = pageRect.bottom - pageRect.top;
    scroll.nMax = AboutLayout[ABOUT_ITEM_COUNT - 1].place[PLACE_CY];
    scroll.nPage = (UINT)AboutPageStep;
  }
  SetScrollInfo(page, SB_VERT, &scroll, TRUE);
  ComposeAboutTexts(page, NULL);
  PlaceAboutItems(largeLook);
}

static void OnVScroll(HWND page, WPARAM wParam) {
  int target;
  if (!ScrollRequestTarget(page, wParam, AboutPageStep, &target)) return;
  SetVertScrollPos(page, target);
  ScrollAboutItems(GetVertScrollPos(page));
}

static void OnDestroy(void) {
  DeleteFontHandle(&AboutBoldFont);
  DeleteFontHandle(&AboutTextFont);
  if (IsLargeButtonMode(LARGE_BUTTON_MODE))
    for (int index = 1; index < ABOUT_ITEM_COUNT; ++index) DeleteFontHandle(&AboutItems[index].font);
  if (AboutLogoBitmap != NULL) {
    DeleteObject(AboutLogoBitmap);
    AboutLogoBitmap = NULL;
  }
}

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      HDC dc = GetDC(page);
      if (dc == NULL) return TRUE;
      if (IsLargeButtonMode(LARGE_BUTTON_MODE))
        InitLargeLook(page, dc);
      else
        InitNormalLook(page, dc);
      return TRUE;
    }
    case WM_SIZE:
      OnSize(page);
      return FALSE;
    case WM_VSCROLL:
      OnVScroll(page, wParam);
      return FALSE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_ACTIVE) {
        ComposeAboutTexts(page, NULL);
        SetSheetTitle(page, IDS_TITLE_ABOUT);
      }
      return FALSE;
    case WM_COMMAND:
      return HandleSoftKeyCommand(page, LOWORD(wParam));
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}
