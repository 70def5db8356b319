// Ids of the phone-screen layout templates that the module carries for the host phone application,
// and of the controls in them. The host looks each template up by its id and creates the controls
// itself; no code of this library reads them.
//
// IDD_ZARVO_SIP_URI_PORT is looked up by name, so it must never be defined as a number here.
#pragma once

// Templates. The "_PANEL" variant of a keypad screen has a shorter smart-dial list and shows the
// panel 3016 and the button 23030.
#define IDD_PHONE_KEYPAD_320X480           8124
#define IDD_PHONE_KEYPAD_320X480_PANEL     8125
#define IDD_PHONE_KEYPAD_480X320           8126
#define IDD_PHONE_KEYPAD_480X320_PANEL     8127
#define IDD_PHONE_CALLERLIST_320X480       8128
#define IDD_PHONE_CALLERLIST_480X320       8129
#define IDD_PHONE_KEYPAD_480X800           8130
#define IDD_PHONE_KEYPAD_480X800_PANEL     8131
#define IDD_PHONE_KEYPAD_800X480           8132
#define IDD_PHONE_KEYPAD_800X480_PANEL     8133
#define IDD_PHONE_CALLERLIST_480X800       8134
#define IDD_PHONE_CALLERLIST_800X480       8135
#define IDD_PHONE_FRAME_480X696            8136
#define IDD_PHONE_FRAME_800X376            8137
#define IDD_PHONE_CALLERLIST_240X320       22500
#define IDD_PHONE_ALERT_240X320            22506
#define IDD_PHONE_CALLERLIST_320X240       22507
#define IDD_PHONE_CALLERLIST_240X240       22508
#define IDD_PHONE_KEYPAD_240X320           22509
#define IDD_PHONE_KEYPAD_320X240           22510
#define IDD_PHONE_KEYPAD_240X240           22511
#define IDD_PHONE_PRIVATE_320X240          22519
#define IDD_PHONE_PRIVATE_240X320          22520
#define IDD_PHONE_PRIVATE_240X240          22521
#define IDD_PHONE_ALERT_320X240            22523
#define IDD_PHONE_REGISTER_240X320         22525
#define IDD_PHONE_REGISTER_320X240         22526
#define IDD_PHONE_REGISTER_240X240         22527
#define IDD_PHONE_KEYPAD_240X320_PANEL     22530
#define IDD_PHONE_KEYPAD_320X240_PANEL     22531
#define IDD_PHONE_ALERT_NOTE_240X320       22544
#define IDD_PHONE_ALERT_NOTE_320X240       22545

// Controls. Classes and styles are in the templates; the host owns the classes' behaviour.
#define IDC_SIP_URI_PORT                   1050
#define IDC_SMARTDIAL_PLACEHOLDER          3002
#define IDC_CALLERLIST_FILTER              3008
#define IDC_ALERT_NOTE                     3011
#define IDC_STATUS_STRIP                   3012
#define IDC_KEYPAD_PANEL                   3016
#define IDC_CALL_BUTTON_AREA               3017
#define IDC_HTML_CONTAINER                 3018
#define IDC_CALL_INFO_AREA                 3019
#define IDC_STATUS_BUTTON_1                3021
#define IDC_STATUS_BUTTON_2                3022
#define IDC_STATUS_BUTTON_3                3023
#define IDC_STATUS_BUTTON_4                3024
#define IDC_STATUS_BUTTON_5                3025
#define IDC_PHONE_BUTTON_01                23001
#define IDC_PHONE_ACCUMULATOR              23002
#define IDC_PHONE_CALLERIDINFO             23003
#define IDC_PHONE_ELAPSEDTIME              23007
#define IDC_PHONE_CONTACTPICTURE           23008
#define IDC_PHONE_STATUSICONS              23009
#define IDC_PHONE_BRANDING                 23010
#define IDC_PHONE_BUTTON_11                23011
#define IDC_PHONE_BUTTON_12                23012
#define IDC_PHONE_BUTTON_13                23013
#define IDC_PHONE_BUTTON_14                23014
#define IDC_PHONE_BUTTON_15                23015
#define IDC_PHONE_BUTTON_16                23016
#define IDC_PHONE_SOLIDLINE                23021
#define IDC_PHONE_CALLSTATE                23022
#define IDC_PHONE_ALERTCONTACT             23025
#define IDC_PHONE_CALLERLIST               23026
#define IDC_PHONE_BUTTON_27                23027
#define IDC_PHONE_BUTTON_29                23029
#define IDC_PHONE_BUTTON_30                23030
#define IDC_PHONE_BUTTON_31                23031
#define IDC_PHONE_LIST_ACCUMULATOR         23033
#define IDC_PHONE_REPORTLIST               23034
#define IDC_PHONE_LIST_BUTTON              23035
#define IDC_PHONE_LIST_TITLE               23036
#define IDC_PHONE_LIST_SUBTITLE            23037
#define IDC_PHONE_LAYOUTHELPER_38          23038
#define IDC_PHONE_LAYOUTHELPER_39          23039
#define IDC_PHONE_ALERTPICTURE             23040
#define IDC_PHONE_KEY_1                    23041
#define IDC_PHONE_KEY_2                    23042
#define IDC_PHONE_KEY_3                    23043
#define IDC_PHONE_KEY_4                    23044
#define IDC_PHONE_KEY_5                    23045
#define IDC_PHONE_KEY_6                    23046
#define IDC_PHONE_KEY_7                    23047
#define IDC_PHONE_KEY_8                    23048
#define IDC_PHONE_KEY_9                    23049
#define IDC_PHONE_KEY_0                    23050
#define IDC_PHONE_KEY_STAR                 23051
#define IDC_PHONE_KEY_POUND                23052
#define IDC_PHONE_LAYOUTHELPER_53          23053
#define IDC_PHONE_REPORT_TITLE             23054
#define IDC_PHONE_REPORT_SUBTITLE          23055
#define IDC_PHONE_INVALIDPHONE             23056
#define IDC_PHONE_LAYOUTHELPER_57          23057
#define IDC_PHONE_ALERT_TITLE              23059
#define IDC_PHONE_SMARTDIAL                23061
#define IDC_PHONE_LAYOUTHELPER_62          23062
