// The viewer's command line: which start-up to carry out and whether the
// start-up picture is wanted. Pure logic over the words of the command line.
#pragma once
#include <string>
#include <vector>

namespace korvisa {

enum class ShellCommand {
    FileNew,         // the normal start: a new document in the main window
    FilePrint,       // "p"
    FilePrintTo,     // "pt"
    FileDDE,         // "dde"
    Unregister,      // "R" / "r"
    StartupAction6,  // "L" / "l"
};

struct CommandLine {
    ShellCommand command = ShellCommand::FileNew;
    bool showSplash = true;
    bool embedded = false;    // "Embedding"
    bool automated = false;   // "Automation"
};

// Words after the program name. Only words introduced by '/' or '-' count,
// compared exactly (case matters, except that R/r and L/l both are known);
// anything else is ignored, so no file name is ever taken.
CommandLine ParseCommandLine(const std::vector<std::string>& words);

}  // namespace korvisa
