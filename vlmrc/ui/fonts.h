// Fonts and the shared look settings of the handset's shared-resource registry keys: the font
// smoothing quality chosen by the user-interface language, the faces behind the two logical list
// fonts, the large-button mode. Read lazily and kept for the life of the process; nothing is written.
#pragma once

#include <windows.h>

// The logical face names that stand for the configured title and divider faces.
#define TITLE_FONT_LOGICAL_NAME TEXT("HelveticaNeue LT 35 Thin")
#define DIVIDER_FONT_LOGICAL_NAME TEXT("Helvetica Neue OTS")
#define FONT_NAME_UNITS 260

// The configured faces, read together on the first request for a face. Empty at load.
extern WCHAR TitleFontName[FONT_NAME_UNITS];
extern WCHAR DividerFontName[FONT_NAME_UNITS];

// The LOGFONT quality for the user-interface language: QualityForEastern (default
// ANTIALIASED_QUALITY) for Chinese, Japanese and Korean, QualityForWestern (default
// CLEARTYPE_QUALITY) for every other language. Read once per process.
BYTE GetFontQuality(void);

// A font built from the device context's current font (or from nothing), with the shared quality,
// the given height (LOGFONT meaning) and, when not 0, the weight OR-ed into the weight. A face name
// is used as given, or the configured face when it names a logical one. NULL when the device
// context's font cannot be read or the font cannot be created; the caller deletes the font.
HFONT CreateSharedResourceFont(HDC dc, LPCWSTR faceName, int height, int weight);

// TRUE when the large-button mode can be read and equals `expected`. Read at every call.
BOOL IsLargeButtonMode(DWORD expected);
