// String resources and message boxes, as code page 932 text.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

// The string resource of the program, or "" when it does not exist.
std::string LoadStr(UINT id);
// The first or second line of a string resource ("prompt\ntip").
std::string LoadStrLine(UINT id, int line);

// A message box with the text of string resource textId. A null caption uses
// the application title.
int MessageBoxId(HWND owner, UINT textId, UINT type, const char* caption = nullptr);
int MessageBoxText(HWND owner, const char* text, UINT type, const char* caption = nullptr);

}  // namespace fw
