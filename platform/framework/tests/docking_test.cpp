#include <windows.h>
#include <commctrl.h>

#include "platform/framework/dock.h"
#include "platform/framework/tests/test_frame.h"

using namespace fw;

TEST(DockSideForDrop, TheNearestAllowedEdgeWithinReachOrNone)
{
    const RECT client = {0, 0, 400, 300};
    auto side = [&](int x, int y, DWORD allowed = kDockAny) { return DockSideForDrop(client, {x, y}, allowed, 32); };
    EXPECT_EQ(kDockTop, side(200, 10));
    EXPECT_EQ(kDockBottom, side(200, 295));
    EXPECT_EQ(kDockRight, side(390, 150));
    // Just outside an edge still counts; too far out, beside it, or the middle does not.
    EXPECT_EQ(kDockLeft, side(-20, 150));
    EXPECT_EQ(0u, side(-33, 150));
    EXPECT_EQ(0u, side(500, 10));
    EXPECT_EQ(0u, side(200, 150));
    // Near a corner the nearer edge wins; a refused edge gives way to another, or to none.
    EXPECT_EQ(kDockLeft, side(10, 20));
    EXPECT_EQ(kDockTop, side(10, 20, kDockTop | kDockRight));
    EXPECT_EQ(0u, side(5, 150, kDockTop | kDockBottom));
    EXPECT_EQ(0u, DockSideForDrop(RECT{0, 0, 0, 300}, {0, 10}, kDockAny, 32));
}

namespace {

class Docking : public fwtest::FrameTest {
protected:
    HWND Bar() const { return frame->toolBar.m_hWnd; }
    RECT Item(int index)
    {
        RECT r = {};
        ::SendMessageA(Bar(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    RECT Client()
    {
        RECT r;
        ::GetClientRect(frame->m_hWnd, &r);
        return r;
    }
    // A mouse message to the bar at a point of the frame's client area.
    void Mouse(UINT msg, POINT at)
    {
        ::MapWindowPoints(frame->m_hWnd, Bar(), &at, 1);
        ::SendMessageA(Bar(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                       MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    }
    // Presses on the lying bar past its last button and drags to `to`.
    void Drag(POINT to)
    {
        RECT bar = ChildRect(Bar());
        Mouse(WM_LBUTTONDOWN, {bar.right - 4, (bar.top + bar.bottom) / 2});
        Mouse(WM_MOUSEMOVE, {Client().right / 2, Client().bottom / 2});
        Mouse(WM_MOUSEMOVE, to);
    }
};

}  // namespace

TEST_F(Docking, EachSideGivesTheBarItsEdgeAndTheViewTheRestAboveTheStatusBar)
{
    ::SetWindowPos(frame->m_hWnd, nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
    const RECT client = Client(), button = Item(0);
    for (DWORD side : {kDockLeft, kDockBottom, kDockRight, kDockTop}) {
        SCOPED_TRACE(side);
        ASSERT_TRUE(frame->DockControlBar(frame->toolBar, side));
        RECT bar = ChildRect(Bar()), rest = ChildRect(view->m_hWnd), status = ChildRect(frame->statusBar.m_hWnd);
        EXPECT_EQ(client.bottom, status.bottom);
        EXPECT_EQ(client.right - client.left, status.right - status.left);
        // Bar and view share what is above the status bar, without overlapping.
        RECT above = {client.left, client.top, client.right, status.top}, both, overlap;
        ::UnionRect(&both, &bar, &rest);
        EXPECT_TRUE(::EqualRect(&both, &above));
        EXPECT_FALSE(::IntersectRect(&overlap, &bar, &rest));
        const bool vertical = side == kDockLeft || side == kDockRight;
        EXPECT_EQ(vertical, frame->toolBar.IsVertical());
        const LONG edge[] = {bar.top - above.top, above.bottom - bar.bottom, bar.left - above.left, above.right - bar.right};
        EXPECT_EQ(0, edge[side == kDockTop ? 0 : side == kDockBottom ? 1 : side == kDockLeft ? 2 : 3]);
        // As deep as a button and its borders; standing, one button a row
        // with the separator as a gap, lying, all in one row.
        const int depth = vertical ? bar.right - bar.left : bar.bottom - bar.top;
        const int buttonDepth = vertical ? button.right - button.left : button.bottom - button.top;
        EXPECT_GE(depth, buttonDepth);
        EXPECT_LT(depth, buttonDepth + 16);
        if (vertical) {
            EXPECT_GT(Item(2).top, Item(0).bottom);
            EXPECT_EQ(Item(0).left, Item(3).left);
        } else {
            EXPECT_EQ(Item(0).top, Item(3).top);
        }
    }
}

TEST_F(Docking, ASideTheBarOrTheFrameRefusesLeavesTheBarWhereItIs)
{
    const RECT before = ChildRect(Bar());
    frame->toolBar.EnableDocking(kDockTop | kDockBottom);
    EXPECT_FALSE(frame->DockControlBar(frame->toolBar, kDockLeft));
    frame->toolBar.EnableDocking(kDockAny);
    frame->EnableDocking(kDockTop | kDockLeft);
    EXPECT_FALSE(frame->DockControlBar(frame->toolBar, kDockRight));
    EXPECT_FALSE(frame->DockControlBar(frame->toolBar, kDockTop | kDockLeft));
    Drag({Client().right - 5, Client().bottom / 2});
    Mouse(WM_LBUTTONUP, {Client().right - 5, Client().bottom / 2});
    EXPECT_EQ(kDockTop, frame->toolBar.DockedSide());
    const RECT after = ChildRect(Bar());
    EXPECT_TRUE(::EqualRect(&before, &after));
}

TEST_F(Docking, ADragReleasedNearAnEdgeDocksThereAndEscapeOrALostCaptureCancelsIt)
{
    const POINT nearBottom = {Client().right / 2, Client().bottom - 4};
    // Escape reaches the window with the focus; the frame ends the drag.
    Drag(nearBottom);
    EXPECT_EQ(Bar(), ::GetCapture());
    MSG escape = {view->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(frame->PreTranslateMessage(escape));
    EXPECT_FALSE(frame->PreTranslateMessage(escape));
    EXPECT_NE(Bar(), ::GetCapture());
    Mouse(WM_LBUTTONUP, nearBottom);
    EXPECT_EQ(kDockTop, frame->toolBar.DockedSide());

    Drag(nearBottom);
    ::SetCapture(frame->m_hWnd);   // another window takes the mouse
    ::ReleaseCapture();
    Mouse(WM_LBUTTONUP, nearBottom);
    EXPECT_EQ(kDockTop, frame->toolBar.DockedSide());

    // Released in the middle it stays; near the bottom it docks there.
    Drag(nearBottom);
    Mouse(WM_LBUTTONUP, {Client().right / 2, Client().bottom / 2});
    EXPECT_EQ(kDockTop, frame->toolBar.DockedSide());
    Drag(nearBottom);
    Mouse(WM_LBUTTONUP, nearBottom);
    EXPECT_FALSE(frame->toolBar.IsTracking());
    EXPECT_NE(Bar(), ::GetCapture());
    EXPECT_EQ(kDockBottom, frame->toolBar.DockedSide());
    EXPECT_EQ(ChildRect(frame->statusBar.m_hWnd).top, ChildRect(Bar()).bottom);

    // Pressing on a button is a button press, not a drag.
    RECT button = Item(0);
    ::SendMessageA(Bar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.left + 2, button.top + 2));
    EXPECT_FALSE(frame->toolBar.IsTracking());
    ::SendMessageA(Bar(), WM_LBUTTONUP, 0, MAKELPARAM(button.left + 2, button.top + 2));
}
