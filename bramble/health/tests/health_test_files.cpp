#include "bramble/health/tests/health_test_files.h"

#include "harness/files.h"

namespace health_test {

TempInstall::TempInstall(const std::string& name)
{
    char temp[MAX_PATH] = "";
    ::GetTempPathA(sizeof temp, temp);
    dir_ = std::string(temp) + "health_" + name + "_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(dir_.c_str(), nullptr);
    ::CreateDirectoryA((dir_ + "\\DATA").c_str(), nullptr);
}

TempInstall::~TempInstall()
{
    for (const char* file : {"SHEALTH.DAT", "SLIMIT.DAT"})
        harness::deleteFile(Data(file));
    ::RemoveDirectoryA((dir_ + "\\DATA").c_str());
    ::RemoveDirectoryA(dir_.c_str());
}

bool TempInstall::Write(const std::string& file, const std::string& bytes) const
{
    return harness::writeFile(Data(file), bytes);
}

std::string TempInstall::Read(const std::string& file) const
{
    return harness::readFile(Data(file)).value_or("");
}

}  // namespace health_test
