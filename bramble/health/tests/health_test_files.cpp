#include "bramble/health/tests/health_test_files.h"

#include <fstream>
#include <sstream>

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
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((dir_ + "\\DATA\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            ::DeleteFileA(Data(found.cFileName).c_str());
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryA((dir_ + "\\DATA").c_str());
    ::RemoveDirectoryA(dir_.c_str());
}

bool TempInstall::Write(const std::string& file, const std::string& bytes) const
{
    std::ofstream out(Data(file), std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

std::string TempInstall::Read(const std::string& file) const
{
    std::ifstream in(Data(file), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace health_test
