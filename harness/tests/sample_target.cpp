// A small program for the harness's own tests, driven from another process.
// The first word of the command line says what it does:
//   window     a top-level window with a Japanese title and an edit control
//              (id 100) holding Japanese text; exits with 3 when closed
//   hang       the same window, but the program stops answering messages
//   msgbox     a Yes/No/Cancel message box; exits with the id of the button pressed
//   sleep      nothing, until it is stopped
//   version    exits with GetVersion()
//   cwd DIR    exits with 0 when the working directory is DIR, 1 otherwise
#include <windows.h>

#include <cstring>

namespace {

const char kWindowClass[] = "HarnessSample";
const char kWindowTitle[] = "ハーネス試験ウィンドウ";
const int kEditId = 100;
const char kEditText[] = "ﾃｽﾄ表示-ソ能予～①";
const char kBoxCaption[] = "ﾊｰﾈｽ確認";
const char kBoxText[] = "設定を保存しますか？\n表示: ソフト能力";
const int kClosedExitCode = 3;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(kClosedExitCode);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int showWindow(HINSTANCE instance, bool answer) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassA(&windowClass)) return 10;
    HWND window = CreateWindowA(kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, 40, 30, 400, 200,
                                nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 11;
    if (!CreateWindowA("EDIT", kEditText, WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 300, 24, window,
                       reinterpret_cast<HMENU>(kEditId), instance, nullptr)) {
        return 12;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    while (!answer) Sleep(1000);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

bool startsWithWord(const char* line, const char* word) {
    const size_t length = std::strlen(word);
    return std::strncmp(line, word, length) == 0 && (line[length] == '\0' || line[length] == ' ');
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (startsWithWord(commandLine, "window")) return showWindow(instance, true);
    if (startsWithWord(commandLine, "hang")) return showWindow(instance, false);
    if (startsWithWord(commandLine, "msgbox")) {
        return MessageBoxA(nullptr, kBoxText, kBoxCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
    }
    if (startsWithWord(commandLine, "sleep")) {
        for (;;) Sleep(1000);
    }
    if (startsWithWord(commandLine, "version")) return static_cast<int>(GetVersion());
    if (startsWithWord(commandLine, "cwd")) {
        char folder[MAX_PATH + 1] = {};
        const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
        if (length == 0 || length >= sizeof folder) return 1;
        const char* wanted = commandLine[3] == ' ' ? commandLine + 4 : "";
        return lstrcmpiA(folder, wanted) == 0 ? 0 : 1;
    }
    return 2;
}
