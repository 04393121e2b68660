// Test-only: a window that opens the body page on command 32773 exactly as
// the main frame does, for desk tests and benchmarks run while the main
// frame does not open the page yet.
#include <windows.h>

#include "korvisa/dmi/command_layer.h"
#include "korvisa/pages/body_info_dlg.h"
#include "korvisa/res/resource.h"
#include "platform/framework/wnd.h"

extern "C" __declspec(dllimport) ULONG WINAPI DmiCommandEntry(void* block);
static korvisa::dmi::ManagementRegistration g_registration(&DmiCommandEntry);

namespace {

class PageHost : public fw::CWnd {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_COMMAND && LOWORD(wParam) == ID_PAGE_BODY) {
            korvisa::CBodyInfoDlg dlg(this);
            dlg.DoModal();
            return 0;
        }
        if (msg == WM_DESTROY)
            ::PostQuitMessage(0);
        return fw::CWnd::WindowProc(msg, wParam, lParam);
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    PageHost host;
    if (!fw::CWnd::RegisterClass("korvisa.PageHost", 0, nullptr, nullptr) ||
        !host.CreateEx(0, "korvisa.PageHost", "body page host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                       nullptr, nullptr))
        return 1;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
