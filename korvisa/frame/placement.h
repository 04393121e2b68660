// Where the main window goes: the saved position text, and bringing a frame
// that lies (partly) off the desktop back onto it.
#pragma once
#include <windows.h>

#include <string>

namespace korvisa {

// "left top right bottom" as the frame stores it in PositionMain.
std::string FormatPosition(const RECT& rect);
// Reads the stored text back; false unless it holds exactly four whole
// numbers (spaces around them allowed) that make a non-empty rectangle.
bool ParsePosition(const char* text, RECT& rect);

// The frame's rectangle after placing it on the desktop by which of its
// corners lie on it: moved so the visible side stays and the rest comes
// back, centred when its bottom-right, top-right and bottom-left corners are
// all off, or unchanged. The size never changes.
RECT PlaceOnDesktop(const RECT& frame, const RECT& desktop);

// The frame's height when positions are not kept: three fifths of the
// client width plus both bars and a margin.
int UnpreservedHeight(int clientWidth, int toolBarHeight, int statusBarHeight);

}  // namespace korvisa
