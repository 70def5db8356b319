// Resource ids of the test module's own resources, for its script and the tests.
#pragma once

// Strings that SetSheetTitle loads through the module instance handle.
#define INTERNALS_STRING_PREFERENCES_TITLE 7210
#define INTERNALS_STRING_FORWARDING_TITLE 7211

// One page in its two layouts: the same 13 controls of every relayout-relevant class.
#define IDD_RELAYOUT_PORTRAIT 100
#define IDD_RELAYOUT_LANDSCAPE 101
// The landscape layout with one control more (9999) than the page has.
#define IDD_RELAYOUT_EXTRA_CONTROL 102
// A small page with a font, the same without one, and with one and two unnamed statics; each has a
// control of a class given by name (RELAYOUT_CUSTOM_CLASS).
#define IDD_SMALL_WITH_FONT 110
#define IDD_SMALL_WITHOUT_FONT 111
#define IDD_SMALL_ONE_UNNAMED 112
#define IDD_SMALL_TWO_UNNAMED 113

#define IDC_SMALL_LABEL 2000
#define IDC_SMALL_CUSTOM 2001
#define IDC_SMALL_BUTTON 2002
#define IDC_EXTRA 9999
#define RELAYOUT_CUSTOM_CLASS "RelayoutCustom"
// The small page as an extended template, which the relayout does not read.
#define IDD_SMALL_EXTENDED 114

// A page with an icon and a bitmap static, in layouts that name the first images, the second ones,
// and images the module does not have.
#define IDD_IMAGES_FIRST 120
#define IDD_IMAGES_SECOND 121
#define IDD_IMAGES_MISSING 122
#define IDC_IMAGE_ICON 2100
#define IDC_IMAGE_BITMAP 2101
#define IDI_FIRST 300
#define IDI_SECOND 301
#define IDB_FIRST 310
#define IDB_SECOND 311
#define IDI_MISSING 399
// The small page's controls named as image statics: a text static as a bitmap static, the
// custom control and the button as icon statics.
#define IDD_SMALL_AS_IMAGES 115
