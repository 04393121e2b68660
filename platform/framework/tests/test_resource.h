// Resource numbers of the framework tests, shared by their resource script and code.
#pragma once

#define IDR_TESTFRAME 200   // template string and menu of the test program's frame
#define IDB_TESTBAR 201     // toolbar strip: three 16 x 16 images
#define IDD_TESTDIALOG 300  // modeless dialog with data exchange
#define IDD_TESTFORM 301    // the frame's form view

#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_CODE 1003
#define IDC_FORM_EDIT 1010

// Test commands, each answered by a different part of the route.
#define ID_CMD_VIEW 32771    // the view
#define ID_CMD_SHARED 32772  // both the view and the frame: the view must win
#define ID_CMD_DOC 32773     // the document
#define ID_CMD_FRAME 32774   // the frame; its tool tip is too long for a tip buffer
#define ID_CMD_NOBODY 32775  // nobody

#define IDS_IDLE 0xE001
