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

// Forwarding settings page: one check box and one number edit per forwarding reason
#define IDC_CF_ALLCALL_CHECK 1020
#define IDC_CF_NOANS_CHECK 1021
#define IDC_CF_UNAVAILABLE_CHECK 1022
#define IDC_CF_BUSY_CHECK 1023
#define IDC_CF_ALLCALL_NUMBER 1050
#define IDC_CF_NOANS_NUMBER 1051
#define IDC_CF_UNAVAILABLE_NUMBER 1052
#define IDC_CF_BUSY_NUMBER 1053
