// What the sibling stand-ins share: one top-level window with its message
// loop, and records written beside the program where tests read them.
#pragma once
#include <windows.h>

#include <string>

// The program's window: its class, caption, style and size.
struct SiblingWindow {
    const char* className;
    const char* title;
    DWORD style;
    int width, height;
    WNDPROC procedure;
    int background;  // system colour index of the background
};

// Registers the class, creates and shows the window and runs the message loop
// until the window is destroyed (the procedure posts the quit message on
// WM_DESTROY). 1 when the window cannot be made.
int RunSiblingWindow(HINSTANCE instance, const SiblingWindow& window, int showCmd);

// Appends text to the file `name` in the program's folder; false when it
// cannot be written.
bool AppendBesideProgram(const std::string& name, const std::string& text);

// The program's file name without folder and extension ("foliant").
std::string ProgramBaseName();

// Appends how this process was started to "<program>_start.log", two lines a
// start: command=<the command line>, directory=<the working directory>.
bool RecordStart();
