// The frame's control bars: a toolbar of bitmap buttons with tool tips and a
// status bar whose message pane shows command prompts.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "platform/framework/cmdui.h"
#include "platform/framework/wnd.h"

namespace fw {

enum : UINT {
    kToolBarId = 0xE800,       // standard child ids of the bars
    kStatusBarId = 0xE801,
    kCmdViewToolBar = 59392,   // show or hide the toolbar
    kCmdViewStatusBar = 59393, // show or hide the status bar
    kCmdAppExit = 57665,
    kIdleMessage = 0xE001,     // the idle prompt of the status bar
};

// Sides a bar may dock on.
enum : DWORD {
    kDockTop = 0x1,
    kDockBottom = 0x2,
    kDockLeft = 0x4,
    kDockRight = 0x8,
    kDockAny = 0xF,
};

class CControlBar : public CWnd {
public:
    // The sides this bar may dock on (none: it stays where it was created).
    void EnableDocking(DWORD sides) { m_dockSides = sides; }
    DWORD DockSides() const { return m_dockSides; }
    bool IsVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    // The bar's height in the frame's layout (0 when hidden).
    int LayoutHeight() const;
    int LayoutWidth() const;

private:
    DWORD m_dockSides = 0;
};

class CToolBar : public CControlBar {
public:
    // A toolbar with tool tips, docked at the top; the frame places it.
    bool Create(HWND parent, UINT id = kToolBarId);
    // Buttons from a bitmap strip of width × height images; a 0 in ids is a separator.
    bool LoadButtons(UINT bitmapId, int imageWidth, int imageHeight, const UINT* ids, size_t count);
    // The image size of the loaded buttons (0 × 0 before).
    SIZE ImageSize() const { return m_imageSize; }
    size_t ButtonCount() const { return m_ids.size(); }
    const std::vector<UINT>& ButtonIds() const { return m_ids; }
    // Asks the router for each button's state and shows it.
    void UpdateButtons(CCmdTarget& router);

    // The edge of the frame it is docked on (one kDock side); on the left
    // or right its buttons stand one per row, on the top or bottom in a row.
    DWORD DockedSide() const { return m_dockedSide; }
    bool IsVertical() const { return m_dockedSide == kDockLeft || m_dockedSide == kDockRight; }
    void SetDockedSide(DWORD side);
    // How deep the bar is across its edge: its height lying, its width standing.
    int Thickness() const;

    // Moving the bar with the mouse (see dock.cpp).
    bool IsTracking() const { return m_tracking; }
    void CancelTracking();

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void BeginTracking(POINT screen);
    void TrackTo(POINT screen);
    void EndTracking(POINT screen);
    void DrawTrackingRect();

    std::vector<UINT> m_ids;
    SIZE m_imageSize = {0, 0};
    DWORD m_dockedSide = kDockTop;
    bool m_tracking = false;
    bool m_moved = false;          // the mouse left the drag threshold
    bool m_rectShown = false;      // the tracking rectangle is drawn on the screen
    POINT m_grabbed = {0, 0};      // where the button went down, screen coordinates
    RECT m_trackRect = {0, 0, 0, 0};
};

class CStatusBar : public CControlBar {
public:
    bool Create(HWND parent, UINT id = kStatusBarId);
    void SetText(const char* text);
    std::string GetText() const;
};

}  // namespace fw
