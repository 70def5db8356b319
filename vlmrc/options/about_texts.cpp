// The two lines of the about page that are filled in from formats: the template gives each line's
// text as a format, and the page formats it again after every relayout.
#include "forwarding/vt_service_library.h"
#include "frame/module.h"
#include "options/about_page.h"
#include "resources/resource.h"
#include "ui/format_check.h"

#define ABOUT_LINE_UNITS 256
#define COPYRIGHT_SIGN 0xA9

const WCHAR AboutVersionText[] = TEXT("2.5");

static const FormatArgument VersionArguments[] = {ARG_STRING, ARG_NUMBER};
static const FormatArgument YearArguments[] = {ARG_CHAR, ARG_NUMBER};

// Formats the control's own text with two arguments, when it is a format for them.
static void FillLine(HWND page, int id, const FormatArgument* expected, ...) {
  HWND line = GetDlgItem(page, id);
  if (line == NULL) return;
  WCHAR format[ABOUT_LINE_UNITS] = {0};
  GetWindowTextW(line, format, ABOUT_LINE_UNITS);
  if (!IsFormatFor(format, expected, 2)) return;
  WCHAR text[FORMAT_OUTPUT_UNITS] = {0};
  va_list arguments;
  va_start(arguments, expected);
  wvsprintfW(text, format, arguments);
  va_end(arguments);
  text[ABOUT_LINE_UNITS - 1] = 0;
  SetWindowTextW(line, text);
}

void ComposeAboutTexts(HWND page, HFONT titleFont) {
  if (page == NULL) return;
  FillLine(page, IDC_ABOUT_VERSION, VersionArguments, AboutVersionText, (int)VTGetVersion());
  FillLine(page, IDC_ABOUT_YEAR, YearArguments, (int)COPYRIGHT_SIGN, (int)GetModuleCreationYear(g_hVersionInstance));
  if (titleFont != NULL) {
    HWND title = GetDlgItem(page, IDC_ABOUT_TITLE);
    if (title != NULL) SendMessageW(title, WM_SETFONT, (WPARAM)titleFont, TRUE);
  }
}

WORD GetModuleCreationYear(HMODULE module) {
  WCHAR path[MAX_PATH] = {0};
  if (GetModuleFileNameW(module, path, MAX_PATH) == 0) return 0;
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (!GetFileAttributesExW(path, GetFileExInfoStandard, &attributes)) return 0;
  FILETIME local;
  SYSTEMTIME time;
  if (!FileTimeToLocalFileTime(&attributes.ftCreationTime, &local) || !FileTimeToSystemTime(&local, &time)) return 0;
  return time.wYear;
}
