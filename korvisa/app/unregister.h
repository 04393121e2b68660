// "R" on the command line: the viewer removes what it registered in the
// system (the shell's entries for its document type) and its profile file.
#pragma once
#include <string>

namespace korvisa {

struct RegistrationNames {
    std::string extension;     // ".INA"
    std::string documentType;  // "korvisa.Document"
    std::string profilePath;   // full path of the profile file
};

// True when nothing of it is left afterwards. What was never there counts as
// removed; an extension that now belongs to another document type is left alone.
bool RemoveRegistration(const RegistrationNames& names);

}  // namespace korvisa
