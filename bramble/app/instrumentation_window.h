// bramble's hidden main window: the service layer finds it by its class and
// sends it the bridge and refresh messages; the user may show it, read who
// it is and close it.
#pragma once
#include <windows.h>

#include "bramble/serving/attribute_bridge.h"
#include "platform/framework/wnd.h"

namespace bramble {

// Messages of the window (WM_USER + n).
enum : UINT {
    kRefreshDates = 0x466,
    kRefreshSystemStrings = 0x468,
    kNoAction469 = 0x469,
    kRefreshGroup4 = 0x46A,
    kRefreshMemory = 0x46B,
    kNoAction46F = 0x46F,
    kNoAction471 = 0x471,
    kRefreshGroup29 = 0x472,
    kStoreFruTable = 0x482,
    kSetClock = 0x483,
    kNoAction484 = 0x484,
    kNoAction485 = 0x485,
    kRefreshDisplay = 0x486,
    kRefreshVideoBios = 0x487,
    kRefreshIrqTable = 0x488,
    kHealthAccepted = 0x48A,
    kHealthRequest48B = 0x48B,
    kHealthRequest48C = 0x48C,
    kRestoreWindow = 0x48D,
};
// wParam of kStoreFruTable that asks for the FRU table file to be written.
constexpr WPARAM kStoreFruTableRequest = 102;

class InstrumentationWindow : public fw::CWnd {
public:
    static constexpr int kLeft = 50, kTop = 120, kRight = 650, kBottom = 300;
    static constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

    // Registers the class and creates the window, owned by the confirm
    // window when one is open. False when creation failed.
    bool Create();

    // Bridge messages are answered once the bridge exists.
    void SetBridge(AttributeBridge* bridge) { bridge_ = bridge; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnCreate();
    void OnPaint();
    void OnClose();
    // Writes the FRU table file; tells the user when it cannot.
    void StoreFruTable();

    AttributeBridge* bridge_ = nullptr;
    bool closing_ = false;  // a close request is being asked about
};

}  // namespace bramble
