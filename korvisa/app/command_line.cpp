#include "korvisa/app/command_line.h"

namespace korvisa {

CommandLine ParseCommandLine(const std::vector<std::string>& words)
{
    CommandLine result;
    for (const std::string& word : words) {
        if (word.size() < 2 || (word[0] != '/' && word[0] != '-'))
            continue;
        const std::string flag = word.substr(1);
        if (flag == "pt") {
            result.command = ShellCommand::FilePrintTo;
        } else if (flag == "p") {
            result.command = ShellCommand::FilePrint;
        } else if (flag == "dde") {
            result.command = ShellCommand::FileDDE;
        } else if (flag == "Embedding") {
            result.embedded = true;
            result.showSplash = false;
        } else if (flag == "Automation") {
            result.automated = true;
            result.showSplash = false;
        } else if (flag == "R" || flag == "r") {
            result.command = ShellCommand::Unregister;
            result.showSplash = false;
        } else if (flag == "L" || flag == "l") {
            result.command = ShellCommand::StartupAction6;
        }
    }
    return result;
}

}  // namespace korvisa
