// Takes the pictures of the viewer's tour on a desk with a real screen: the
// main window with each picture tab shown and a region under the mouse, a
// toolbar button's tip, the version information and the body page. Run inside the desk while the viewer runs:
//   viewer_tour OUTDIR          every picture of the tour
//   viewer_tour --main OUTDIR   only the main window as it is
// Pictures are written as bitmap files (OUTDIR\main-front.bmp, ...); the
// screenshot script turns them into PNGs.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace {

const char kMainTitle[] = "korvisa - ｼｽﾃﾑﾋﾞｭｰｱ";
const char kBoxCaption[] = "ｼｽﾃﾑﾋﾞｭｰｱ";
const char kBodyPageTitle[] = "情報表示－本体";
const int kTabControlId = 1005;
const int kPictureId = 1025;
const UINT kCmdBodyPage = 32773;
const UINT kCmdAbout = 57664;

// Copies what the screen shows of a window into a 24-bit bitmap file.
bool SaveWindow(HWND window, const std::string& path)
{
    RECT r;
    if (!GetWindowRect(window, &r))
        return false;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        SelectObject(memory, old);
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(height);
        std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
        bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
        bytes.append(static_cast<const char*>(bits), stride * static_cast<DWORD>(height));
        ok = harness::writeFile(path, bytes);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (ok)
        std::printf("%s\n", path.c_str());
    return ok;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM context)
{
    auto* search = reinterpret_cast<ChildSearch*>(context);
    if (GetDlgCtrlID(child) == search->id) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND FindDescendant(HWND parent, int id)
{
    ChildSearch search = {id, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Settle(DWORD ms)
{
    Sleep(ms);
}

// Moves the real mouse pointer to a point of the picture, given in tenths
// of its width and height, so the viewer highlights the region there.
void PointAt(HWND picture, double x, double y)
{
    RECT r;
    GetWindowRect(picture, &r);
    int px = r.left + static_cast<int>((r.right - r.left) * x);
    int py = r.top + static_cast<int>((r.bottom - r.top) * y);
    SetCursorPos(px - 3, py - 3);
    Settle(100);
    SetCursorPos(px, py);
    mouse_event(MOUSEEVENTF_MOVE, 1, 0, 0, 0);
}

// Answers a message box of the viewer (for example when it cannot read the
// computer type), saving it first.
void AnswerBoxes(const std::string& dir)
{
    if (HWND box = harness::findMessageBox(kBoxCaption)) {
        SaveWindow(box, dir + "\\message.bmp");
        harness::answerMessageBox(box, IDOK);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    bool mainOnly = argc == 3 && std::string(argv[1]) == "--main";
    if (argc != 2 && !mainOnly) {
        std::fprintf(stderr, "usage: viewer_tour [--main] OUTDIR\n");
        return 2;
    }
    std::string dir = argv[argc - 1];

    harness::WindowQuery query;
    query.title = kMainTitle;
    query.visibleOnly = true;
    HWND main = harness::waitForWindow(query, 60000);
    if (!main) {
        std::fprintf(stderr, "viewer_tour: the viewer's window did not show\n");
        return 1;
    }
    // The start-up picture ends by itself; the pictures are set up by then.
    harness::WindowQuery splash;
    splash.className = "korvisa.Splash";
    harness::waitUntil([&] { return harness::findWindow(splash) == nullptr; }, 8000);
    Settle(1500);
    AnswerBoxes(dir);
    SetForegroundWindow(main);
    Settle(300);

    if (mainOnly)
        return SaveWindow(main, dir + "\\korvisa.bmp") ? 0 : 1;

    HWND tabs = FindDescendant(main, kTabControlId);
    HWND picture = FindDescendant(main, kPictureId);
    int tabCount = tabs ? static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
    // Where to point on each picture: the PC's body, the connector panel,
    // the DMI-capable software.
    const struct {
        const char* name;
        double x, y;
    } shots[] = {{"front", 0.85, 0.45}, {"back", 0.5, 0.3}, {"software", 0.3, 0.5}};
    if (tabCount == 0)   // no pictures to show (the computer type was not read)
        SaveWindow(main, dir + "\\main-front.bmp");
    for (int i = 0; i < tabCount && i < 3; ++i) {
        if (i > 0) {
            // The arrow key moves the selection the way a click on the tab does.
            SetFocus(tabs);
            PostMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);
            PostMessageA(tabs, WM_KEYUP, VK_RIGHT, 0xC0000000);
            Settle(500);
        }
        if (picture)
            PointAt(picture, shots[i].x, shots[i].y);
        Settle(500);
        SaveWindow(main, dir + "\\main-" + shots[i].name + ".bmp");
    }
    // A toolbar button's tip, and its prompt in the status bar.
    if (HWND bar = FindDescendant(main, 0xE800)) {
        RECT r;
        GetWindowRect(bar, &r);
        SetCursorPos(r.left + 10, r.top + 12);
        Settle(100);
        SetCursorPos(r.left + 12, r.top + 14);
        Settle(2000);
        SaveWindow(main, dir + "\\main-tip.bmp");
    }
    SetCursorPos(0, 0);
    Settle(300);

    // The version information, from the help menu.
    PostMessageA(main, WM_COMMAND, kCmdAbout, 0);
    harness::WindowQuery about;
    about.title = "ﾊﾞｰｼﾞｮﾝ情報";
    about.visibleOnly = true;
    if (HWND box = harness::waitForWindow(about, 5000)) {
        Settle(300);
        SaveWindow(box, dir + "\\about.bmp");
        harness::pressButton(box, IDOK);
        harness::waitForWindowGone(box);
    }

    // The body page, opened as the menu opens it.
    PostMessageA(main, WM_COMMAND, kCmdBodyPage, 0);
    harness::WindowQuery page;
    page.title = kBodyPageTitle;
    page.visibleOnly = true;
    if (HWND body = harness::waitForWindow(page, 20000)) {
        Settle(500);
        SaveWindow(body, dir + "\\body-page.bmp");
        harness::closeWindow(body);
    } else {
        std::fprintf(stderr, "viewer_tour: no body page to show\n");
    }
    return 0;
}
