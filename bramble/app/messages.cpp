#include "bramble/app/messages.h"

#include <cstdio>

#include "bramble/res/resource.h"
#include "platform/framework/resources.h"

namespace bramble {
namespace {

constexpr size_t kMaxMessage = 1024;

}  // namespace

std::string ProductName()
{
    return fw::LoadStr(IDS_PRODUCT_NAME);
}

std::string FormatEntry(UINT id, const std::string& text)
{
    char buffer[kMaxMessage];
    std::snprintf(buffer, sizeof buffer, fw::LoadStr(id).c_str(), text.c_str());
    return buffer;
}

std::string FormatEntry(UINT id, const std::string& first, const std::string& second)
{
    char buffer[kMaxMessage];
    std::snprintf(buffer, sizeof buffer, fw::LoadStr(id).c_str(), first.c_str(), second.c_str());
    return buffer;
}

std::string FormatEntry(UINT id, long number)
{
    char buffer[kMaxMessage];
    std::snprintf(buffer, sizeof buffer, fw::LoadStr(id).c_str(), number);
    return buffer;
}

std::string FileAccessText(const std::string& path, DWORD error)
{
    char code[16];
    std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(error));
    return FormatEntry(IDS_FILE_ACCESS, path, code);
}

}  // namespace bramble
