// Resource ids of bramble: string-table entries by their numbers, the notice
// dialog and the icon.
#pragma once

#define IDI_BRAMBLE 2

#define IDS_TITLE_LINE 1
#define IDS_NOTICE_LINE 2
#define IDS_CLOSE_LINE 3
#define IDS_CONFIRM_CLOSE 4
#define IDS_FILE_ACCESS 5
#define IDS_UNUSABLE_LINE 6
#define IDS_WINDOW_CLASS 7
#define IDS_ALREADY_RUNNING 8
#define IDS_WINDOW_TITLE 9
#define IDS_INIT_FAILED 16
#define IDS_BAD_REGISTRY 17
#define IDS_BAD_WINDOW_HANDLE 50
#define IDS_KEY_DMI_DIR 56
#define IDS_KEY_CURRENT_VERSION 102
#define IDS_IDENTITY_FAILED 106
#define IDS_VALUE_PRODUCT 111
#define IDS_MUTEX_FAILED 132
#define IDS_PRODUCT_NAME 134
#define IDS_HEALTH_LIMITS_FAILED 2017

#define IDD_NOTICE 103
#define IDC_NOTICE_TEXT 1005
