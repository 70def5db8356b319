// Resource ids of the library's screens, shared by the code and the resource scripts. The strings,
// dialog templates and menus live in the localized resource module (vlmrc.dll.<language>.mui).
#pragma once

// Options sheet
#define IDS_VTOPT_TITLE 3098  // sheet title; caption of the picture rejection box

// Title line of the sheet, one per page
#define IDS_TITLE_VIDEO_PREFS 7210
#define IDS_TITLE_CALL_FORWARDING 7211
#define IDS_TITLE_ABOUT 7212

// Video call preferences page: the entries of the two lists, in list order
#define IDS_MUTEVIDEO_FREEZE 7442
#define IDS_MUTEVIDEO_BLANK 7401
#define IDS_MUTEVIDEO_PICTURE 7402
#define IDS_MUTEVIDEO_DEFAULT_PICTURE 7403
#define IDS_VIEWMODE_REMOTE_LARGE 7407
#define IDS_VIEWMODE_LOCAL_LARGE 7406
#define IDS_VIEWMODE_REMOTE_ONLY 7405
#define IDS_VIEWMODE_LOCAL_ONLY 7404
#define IDS_PICTURE_REJECTED 7443
#define IDS_PICTURE_PICKER_TITLE 7444
#define IDS_SHOW_NUMBER_LARGE 7600  // caption of check box 1021 in large-button mode

// Call forwarding page and the forwarding screens
#define IDS_CF_ENTRY 7408
#define IDS_CF_NOREPLY_FORMAT 7438  // one integer: the no-reply time in seconds
#define IDS_CF_QUERY_FAILED 7439
#define IDS_CF_CAPTION 7440
#define IDS_CF_SET_FAILED 7441

// Soft-key menu of the options sheet; every page handles its two commands alike.
#define IDM_VTOPT_MENU 2604
#define IDM_VTOPT_CANCEL 2200
#define IDM_VTOPT_OK 2201

// Page templates: the sheet builds each page from its landscape template and re-lays it out to the
// screen's orientation on every WM_SIZE.
#define IDD_VIDEO_PREFS_LANDSCAPE 7301
#define IDD_CALL_FORWARDING 7302
#define IDD_VIDEO_PREFS_PORTRAIT 7303
#define IDD_ABOUT_PORTRAIT 7307
#define IDD_ABOUT_LANDSCAPE 7308
#define IDD_CALL_FORWARDING_PORTRAIT 7304

// Call forwarding page: the one-entry list and the command that starts the forwarding flow
#define IDC_CF_ENTRY_LIST 7206
#define IDC_CF_START 7205
#define IDC_CF_PAGE_LABEL 1030

// The forwarding screens: the progress dialogs and the forwarding settings sheet's page
#define IDD_CF_QUERY 7310
#define IDD_CF_SET 7311
#define IDD_CF_SETTINGS 7306

// Video call preferences page
#define IDC_SHOW_CALL_TIME 1020
#define IDC_SHOW_NUMBER_NAME 1021
#define IDC_ACCEPT_MUTE_VIDEO 1022
#define IDC_MAKE_MUTE_VIDEO 1023
#define IDC_MUTE_VIDEO_LABEL 1030
#define IDC_VIEW_MODE_LABEL 1032
#define IDC_CAMERA_LABEL 1033
#define IDC_CALL_SCREEN_LABEL 1034
#define IDC_PREFS_HEADING 1035
#define IDC_MUTE_VIDEO_LIST 1040
#define IDC_VIEW_MODE_LIST 1041
#define IDC_PICTURE_PATH 7200
#define IDC_PICTURE_BROWSE 7201
#define IDC_MIRROR_CAMERA 7204

// About page: the lines in the order they are stacked
#define IDC_ABOUT_TITLE 1030
#define IDC_ABOUT_SUBTITLE 1035
#define IDC_ABOUT_VERSION 7209
#define IDC_ABOUT_YEAR 1033
#define IDC_ABOUT_TEXT 1032
#define IDC_ABOUT_NOTICE 1034

// Forwarding settings page: one check box and one number edit per forwarding reason
#define IDC_CF_ALLCALL_CHECK 1020
#define IDC_CF_NOANS_CHECK 1021
#define IDC_CF_UNAVAILABLE_CHECK 1022
#define IDC_CF_BUSY_CHECK 1023
#define IDC_CF_ALLCALL_NUMBER 1050
#define IDC_CF_NOANS_NUMBER 1051
#define IDC_CF_UNAVAILABLE_NUMBER 1052
#define IDC_CF_BUSY_NUMBER 1053
#define IDC_CF_HEADING 7202
#define IDC_CF_NOREPLY_LIST 7207
#define IDC_CF_NOREPLY_LABEL 7208
#define IDC_CF_NUMBERS_LABEL 1030
#define IDC_CF_CONDITIONS_LABEL 1031
