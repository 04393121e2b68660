#include "platform/framework/resources.h"

#include "platform/framework/app.h"

namespace fw {

std::string LoadStr(UINT id)
{
    // String table entries hold at most 4097 characters; twice that in bytes.
    char buffer[8200];
    int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

std::string LoadStrLine(UINT id, int line)
{
    std::string text = LoadStr(id);
    size_t start = 0;
    for (int i = 0; i < line; ++i) {
        size_t newline = text.find('\n', start);
        if (newline == std::string::npos)
            return std::string();
        start = newline + 1;
    }
    size_t end = text.find('\n', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

int MessageBoxText(HWND owner, const char* text, UINT type, const char* caption)
{
    CWinApp* app = GetApp();
    if (!caption)
        caption = app ? app->m_appName.c_str() : "";
    return ::MessageBoxA(owner, text, caption, type);
}

int MessageBoxId(HWND owner, UINT textId, UINT type, const char* caption)
{
    return MessageBoxText(owner, LoadStr(textId).c_str(), type, caption);
}

}  // namespace fw
