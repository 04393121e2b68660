// A folder of its own under the temporary folder for each health test, laid
// out as DMIDIR (its DATA folder holds SHEALTH.DAT and SLIMIT.DAT).
#pragma once
#include <windows.h>

#include <string>

namespace health_test {

class TempInstall {
public:
    explicit TempInstall(const std::string& name);
    ~TempInstall();
    const std::string& Dir() const { return dir_; }
    std::string Data(const std::string& file) const { return dir_ + "\\DATA\\" + file; }
    bool Write(const std::string& file, const std::string& bytes) const;
    std::string Read(const std::string& file) const;  // "" when missing

private:
    std::string dir_;
};

}  // namespace health_test
