#pragma once
// The Windows version Wine reports to one program of the desk.
#include <string>

namespace harness {

enum class WindowsVersion { Win95, Win98, Nt40 };

// Sets the version for every program with this file name (a path may be
// given; only its file name counts). Takes effect at the program's next start.
bool setProgramWindowsVersion(const std::string& program, WindowsVersion version);
// Back to the desk's own version. True when no setting is left.
bool clearProgramWindowsVersion(const std::string& program);

}  // namespace harness
