// Languages: language identifiers and the handset's user-interface language.
#pragma once

#include "windef.h"

#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define LANG_FRENCH 0x0c
#define LANG_GERMAN 0x07
#define LANG_JAPANESE 0x11
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_ENGLISH_US 0x01

#define MAKELANGID(primary, sub) ((WORD)((((WORD)(sub)) << 10) | (WORD)(primary)))
#define PRIMARYLANGID(language) ((WORD)(language) & 0x3ff)
#define SUBLANGID(language) ((WORD)(language) >> 10)

extern "C" {

// The language of the handset's user interface (US English, 0x0409, unless set otherwise); it
// chooses the localized resource module of every module.
LANGID GetUserDefaultUILanguage(void);
LANGID GetSystemDefaultUILanguage(void);

}  // extern "C"
