// The program's help file: its own path with the extension HLP.
#pragma once
#include <string>

namespace fw {

// "" when the program's path cannot be had.
std::string HelpFilePath();

}  // namespace fw
