// Resource numbers of the picture view and the information pages: the form,
// the page templates and their controls, and the strings they load.
#pragma once

// Texts shared by every page.
#define IDS_NOT_AVAILABLE 61226        // "NA", shown for a value that cannot be read

// Picture view: messages, tab texts and the registry names of the pictures.
#define IDS_NO_COMPUTER_TYPE 61230
#define IDS_TAB_FRONT 61231
#define IDS_TAB_BACK 61232
#define IDS_TAB_SOFTWARE 61233
#define IDS_BITMAP_BROKEN 61234
#define IDS_BITMAP_TOO_LARGE 61235
#define IDS_IMAGE_FRONT 61207
#define IDS_IMAGE_BACK 61208
#define IDS_IMAGE_SOFTWARE 61209
#define IDS_REGION_FRONT_BODY 61213
#define IDS_REGION_FRONT_MEMORY 61214
#define IDS_REGION_FRONT_DISPLAY 61215
#define IDS_REGION_FRONT_KEYBOARD 61216
#define IDS_REGION_FRONT_MOUSE 61217
#define IDS_REGION_FRONT_PRINTER 61218
#define IDS_REGION_FRONT_MODEM 61219
#define IDS_REGION_FRONT_MEDIA 61220
#define IDS_REGION_BACK_PORT 61221
#define IDS_REGION_BACK_SLOT 61222
#define IDS_REGION_BACK_BOARD 61223
#define IDS_REGION_SOFTWARE_DMI 61224
#define IDS_REGION_SOFTWARE_WIN95 61225
#define IDS_REGION_BACK_USB 61237

// Body page.
#define IDD_BODY_INFO 2511
#define IDB_BODY 2008                  // drawn by the bitmap generator
#define IDC_BODY_GROUP 1048
#define IDC_BODY_USER_LABEL 1011
#define IDC_BODY_USER 1012
#define IDC_BODY_COMPUTER_LABEL 1013
#define IDC_BODY_COMPUTER 1014
#define IDC_BODY_MODEL_LABEL 1015
#define IDC_BODY_MODEL 1016
#define IDC_BODY_FAMILY_LABEL 1017
#define IDC_BODY_FAMILY 1018
#define IDC_BODY_PICTURE 1019
#define IDC_BODY_CLOSE 1021
#define IDC_BODY_CLOCK_LABEL 1022
#define IDC_BODY_CLOCK 1023

// Please-wait dialog of the slow pages.
#define IDD_FETCH_PROGRESS 176
#define IDC_FETCH_MESSAGE 1200
#define IDC_FETCH_TITLE 1201
#define IDC_FETCH_BAR 1202
