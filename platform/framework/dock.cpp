// Docking toolbars: the frame's call that docks a bar on a side, and moving
// a bar with the mouse. Pressing the left button on the bar away from its
// buttons and dragging shows a rectangle that follows the mouse; releasing
// it over or near an edge of the frame docks the bar there. Escape, or the
// mouse taken away by another window, puts the bar back as it was. Bars
// always stay docked: there is no floating bar window.
#include "platform/framework/dock.h"

#include <commctrl.h>

#include <cstdlib>

#include "platform/framework/frame.h"

namespace fw {

DWORD DockSideForDrop(const RECT& client, POINT drop, DWORD allowed, int reach)
{
    if (client.right <= client.left || client.bottom <= client.top)
        return 0;
    const bool alongWidth = drop.x >= client.left - reach && drop.x <= client.right + reach;
    const bool alongHeight = drop.y >= client.top - reach && drop.y <= client.bottom + reach;
    struct Edge {
        DWORD side;
        bool along;
        int distance;   // positive inside the area, negative outside
    } const edges[] = {
        {kDockTop, alongWidth, drop.y - client.top},
        {kDockBottom, alongWidth, client.bottom - drop.y},
        {kDockLeft, alongHeight, drop.x - client.left},
        {kDockRight, alongHeight, client.right - drop.x},
    };
    DWORD best = 0;
    int bestDistance = reach + 1;
    for (const Edge& edge : edges) {
        int distance = std::abs(edge.distance);
        if ((allowed & edge.side) && edge.along && distance <= reach && distance < bestDistance) {
            best = edge.side;
            bestDistance = distance;
        }
    }
    return best;
}

RECT TakeEdge(RECT& area, DWORD side, int thickness)
{
    RECT strip = area;
    const int height = area.bottom > area.top ? area.bottom - area.top : 0;
    const int width = area.right > area.left ? area.right - area.left : 0;
    if (thickness < 0)
        thickness = 0;
    switch (side) {
    case kDockBottom:
        thickness = thickness < height ? thickness : height;
        strip.top = area.bottom - thickness;
        area.bottom = strip.top;
        break;
    case kDockLeft:
        thickness = thickness < width ? thickness : width;
        strip.right = area.left + thickness;
        area.left = strip.right;
        break;
    case kDockRight:
        thickness = thickness < width ? thickness : width;
        strip.left = area.right - thickness;
        area.right = strip.left;
        break;
    default:   // kDockTop
        thickness = thickness < height ? thickness : height;
        strip.bottom = area.top + thickness;
        area.top = strip.bottom;
        break;
    }
    return strip;
}

bool CFrameWnd::DockControlBar(CToolBar& bar, DWORD side)
{
    const bool oneSide = side == kDockTop || side == kDockBottom || side == kDockLeft || side == kDockRight;
    if (!bar.m_hWnd || !oneSide || !(m_dockSides & bar.DockSides() & side))
        return false;
    bar.SetDockedSide(side);
    RecalcLayout();
    return true;
}

// The frame a bar belongs to: its parent, when that is a framework frame.
static CFrameWnd* FrameOf(HWND bar)
{
    return dynamic_cast<CFrameWnd*>(CWnd::FromHandle(::GetParent(bar)));
}

// A press that hardly moves before the release is a click, not a drag.
static bool BeyondDragThreshold(POINT from, POINT to)
{
    return std::abs(to.x - from.x) > ::GetSystemMetrics(SM_CXDRAG) ||
           std::abs(to.y - from.y) > ::GetSystemMetrics(SM_CYDRAG);
}

static POINT ScreenPoint(HWND hwnd, LPARAM lParam)
{
    // Coordinates are signed: a captured mouse left of or above the bar is negative.
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ClientToScreen(hwnd, &p);
    return p;
}

LRESULT CToolBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONDOWN: {
        POINT local = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        // A negative hit is no button: the bar's border, a gap or the space after the buttons.
        CFrameWnd* frame = FrameOf(m_hWnd);
        if (!m_tracking && frame && (DockSides() & frame->DockingSides()) &&
            SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&local)) < 0) {
            BeginTracking(ScreenPoint(m_hWnd, lParam));
            return 0;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (m_tracking) {
            TrackTo(ScreenPoint(m_hWnd, lParam));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (m_tracking) {
            EndTracking(ScreenPoint(m_hWnd, lParam));
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (m_tracking && wParam == VK_ESCAPE) {
            CancelTracking();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (m_tracking && reinterpret_cast<HWND>(lParam) != m_hWnd)
            CancelTracking();
        break;
    case WM_CANCELMODE:
    case WM_DESTROY:
        CancelTracking();
        break;
    default:
        break;
    }
    return CControlBar::WindowProc(msg, wParam, lParam);
}

void CToolBar::BeginTracking(POINT screen)
{
    m_tracking = true;
    m_moved = false;
    m_grabbed = screen;
    ::GetWindowRect(m_hWnd, &m_trackRect);
    ::SetCapture(m_hWnd);
}

void CToolBar::TrackTo(POINT screen)
{
    if (!m_moved && !BeyondDragThreshold(m_grabbed, screen))
        return;
    m_moved = true;
    ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEALL));
    if (m_rectShown)
        DrawTrackingRect();   // drawn inverted: drawing again erases it
    RECT bar;
    ::GetWindowRect(m_hWnd, &bar);
    m_trackRect = bar;
    ::OffsetRect(&m_trackRect, screen.x - m_grabbed.x, screen.y - m_grabbed.y);
    DrawTrackingRect();
}

void CToolBar::EndTracking(POINT screen)
{
    const bool moved = m_moved || BeyondDragThreshold(m_grabbed, screen);
    CancelTracking();
    CFrameWnd* frame = FrameOf(m_hWnd);
    if (!moved || !frame)
        return;
    RECT client;
    ::GetClientRect(frame->m_hWnd, &client);
    POINT drop = screen;
    ::ScreenToClient(frame->m_hWnd, &drop);
    DWORD side = DockSideForDrop(client, drop, DockSides() & frame->DockingSides());
    if (side && side != m_dockedSide)
        frame->DockControlBar(*this, side);
}

void CToolBar::CancelTracking()
{
    if (!m_tracking)
        return;
    // Cleared first: releasing the capture comes back here as WM_CAPTURECHANGED.
    m_tracking = false;
    if (m_rectShown)
        DrawTrackingRect();
    m_rectShown = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CToolBar::DrawTrackingRect()
{
    // A three-pixel frame inverted on the screen, so the same call erases it.
    const int edge = 3;
    const RECT& r = m_trackRect;
    HDC dc = ::GetDC(nullptr);
    if (!dc)
        return;
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(GRAY_BRUSH));
    const int width = r.right - r.left, height = r.bottom - r.top;
    ::PatBlt(dc, r.left, r.top, width, edge, PATINVERT);
    ::PatBlt(dc, r.left, r.bottom - edge, width, edge, PATINVERT);
    ::PatBlt(dc, r.left, r.top + edge, edge, height - 2 * edge, PATINVERT);
    ::PatBlt(dc, r.right - edge, r.top + edge, edge, height - 2 * edge, PATINVERT);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    m_rectShown = !m_rectShown;
}

}  // namespace fw
