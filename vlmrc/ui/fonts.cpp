#include "ui/fonts.h"

#include <regext.h>

#define SHARED_COMMON_KEY TEXT("Software\\Zarvo\\SharedResource\\Common")
#define SHARED_LIST_VIEW_KEY TEXT("Software\\Zarvo\\SharedResource\\ListView")
#define LARGE_BUTTON_KEY TEXT("SoftWare\\Zarvo\\Velmora\\LargeBtn")

#define FONT_QUALITY_UNREAD 0xFFFFFFFF

#define LANGID_CHINESE_TAIWAN 0x0404
#define LANGID_JAPANESE 0x0411
#define LANGID_KOREAN 0x0412
#define LANGID_CHINESE_PRC 0x0804

static DWORD FontQuality = FONT_QUALITY_UNREAD;

WCHAR TitleFontName[FONT_NAME_UNITS];
WCHAR DividerFontName[FONT_NAME_UNITS];

static BOOL IsEasternLanguage(LANGID language) {
  return language == LANGID_CHINESE_TAIWAN || language == LANGID_JAPANESE || language == LANGID_KOREAN ||
         language == LANGID_CHINESE_PRC;
}

// A stored value of FONT_QUALITY_UNREAD is indistinguishable from nothing read, so it is read again
// at the next call.
BYTE GetFontQuality(void) {
  if (FontQuality != FONT_QUALITY_UNREAD) return LOBYTE(FontQuality);
  if (IsEasternLanguage(GetUserDefaultUILanguage())) {
    if (FAILED(RegistryGetDWORD(HKEY_LOCAL_MACHINE, SHARED_COMMON_KEY, TEXT("QualityForEastern"), &FontQuality)))
      FontQuality = ANTIALIASED_QUALITY;
  } else {
    if (FAILED(RegistryGetDWORD(HKEY_LOCAL_MACHINE, SHARED_COMMON_KEY, TEXT("QualityForWestern"), &FontQuality)))
      FontQuality = CLEARTYPE_QUALITY;
  }
  return LOBYTE(FontQuality);
}

static void ReadFaceName(LPCWSTR valueName, WCHAR* buffer, LPCWSTR defaultName) {
  if (FAILED(RegistryGetString(HKEY_LOCAL_MACHINE, SHARED_LIST_VIEW_KEY, valueName, buffer, FONT_NAME_UNITS)))
    lstrcpynW(buffer, defaultName, FONT_NAME_UNITS);
}

// Face names go into lfFaceName cut to what it holds (31 characters and the terminator): the
// configured names may be far longer.
static void SetFaceName(LOGFONTW* font, LPCWSTR name) { lstrcpynW(font->lfFaceName, name, LF_FACESIZE); }

HFONT CreateSharedResourceFont(HDC dc, LPCWSTR faceName, int height, int weight) {
  LOGFONTW font = {};
  if (dc != NULL) {
    HGDIOBJ current = GetCurrentObject(dc, OBJ_FONT);
    if (current == NULL) return NULL;
    if (GetObjectW(current, sizeof(LOGFONTW), &font) == 0) return NULL;
  }
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = GetFontQuality();
  if (weight != 0) font.lfWeight |= weight;
  if (faceName != NULL) {
    SetFaceName(&font, faceName);
    if (TitleFontName[0] == 0 && DividerFontName[0] == 0) {
      ReadFaceName(TEXT("Title_fontname"), TitleFontName, TITLE_FONT_LOGICAL_NAME);
      ReadFaceName(TEXT("Divider_fontname"), DividerFontName, DIVIDER_FONT_LOGICAL_NAME);
    }
    // The second test sees the result of the first: a title face configured as the divider's
    // logical name ends as the divider face.
    if (wcscmp(font.lfFaceName, TITLE_FONT_LOGICAL_NAME) == 0) SetFaceName(&font, TitleFontName);
    if (wcscmp(font.lfFaceName, DIVIDER_FONT_LOGICAL_NAME) == 0) SetFaceName(&font, DividerFontName);
  }
  font.lfHeight = height;
  return CreateFontIndirectW(&font);
}

BOOL IsLargeButtonMode(DWORD expected) {
  DWORD mode = 0;
  return SUCCEEDED(RegistryGetDWORD(HKEY_LOCAL_MACHINE, LARGE_BUTTON_KEY, TEXT("LargeMode"), &mode)) && mode == expected;
}
