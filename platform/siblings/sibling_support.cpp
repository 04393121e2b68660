#include "platform/siblings/sibling_support.h"

namespace {

// The program's own path, or "" when it does not fit.
std::string ProgramPath()
{
    char path[MAX_PATH + 1] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(path, length);
}

}  // namespace

int RunSiblingWindow(HINSTANCE instance, const SiblingWindow& window, int showCmd)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = window.procedure;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(window.background + 1));
    wc.lpszClassName = window.className;
    if (!::RegisterClassA(&wc))
        return 1;
    HWND hwnd = ::CreateWindowExA(0, window.className, window.title, window.style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  window.width, window.height, nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return 1;
    ::ShowWindow(hwnd, showCmd);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}

bool AppendBesideProgram(const std::string& name, const std::string& text)
{
    std::string path = ProgramPath();
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        return false;
    path.replace(slash + 1, std::string::npos, name);
    HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == text.size();
}

std::string ProgramBaseName()
{
    std::string name = ProgramPath();
    const size_t slash = name.find_last_of('\\');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return name;
}

bool RecordStart()
{
    char directory[MAX_PATH + 1] = "";
    const DWORD got = ::GetCurrentDirectoryA(sizeof directory, directory);
    if (got == 0 || got >= sizeof directory)
        directory[0] = '\0';
    const char* commandLine = ::GetCommandLineA();
    return AppendBesideProgram(ProgramBaseName() + "_start.log",
                               std::string("command=") + (commandLine ? commandLine : "") + "\r\ndirectory=" +
                                   directory + "\r\n");
}
