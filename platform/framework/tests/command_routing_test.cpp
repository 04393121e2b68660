#include <windows.h>
#include <commctrl.h>

#include "platform/framework/tests/test_frame.h"

using CommandRouting = fwtest::FrameTest;

namespace {

bool Grayed(UINT state) { return (state & (MF_GRAYED | MF_DISABLED)) != 0; }
bool Checked(UINT state) { return (state & MF_CHECKED) != 0; }

// Presses and releases the mouse on a toolbar button, as a user's click does.
void ClickButton(HWND toolbar, UINT id)
{
    LRESULT index = ::SendMessageA(toolbar, TB_COMMANDTOINDEX, id, 0);
    RECT r = {};
    ::SendMessageA(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SendMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(toolbar, WM_LBUTTONUP, 0, at);
}

}  // namespace

TEST_F(CommandRouting, CommandsReachTheFirstTargetThatHandlesThem)
{
    // The view comes before the frame: a command both handle is the view's alone.
    Command(ID_CMD_SHARED);
    EXPECT_EQ(view->handled, std::vector<UINT>{ID_CMD_SHARED});
    EXPECT_TRUE(frame->handled.empty());

    Command(ID_CMD_DOC);
    EXPECT_EQ(doc->handled, std::vector<UINT>{ID_CMD_DOC});
    Command(ID_CMD_FRAME);
    EXPECT_EQ(frame->handled, std::vector<UINT>{ID_CMD_FRAME});

    // A command that reaches the form view (an accelerator while it has the
    // focus) goes along the same route; Escape's IDCANCEL must not end the view.
    view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_FRAME, 1), 0);
    view->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(frame->handled, (std::vector<UINT>{ID_CMD_FRAME, ID_CMD_FRAME}));
    EXPECT_TRUE(::IsWindow(view->m_hWnd));

    // A click on a toolbar button is a command too.
    ClickButton(frame->toolBar.m_hWnd, ID_CMD_VIEW);
    EXPECT_EQ(view->handled, (std::vector<UINT>{ID_CMD_SHARED, ID_CMD_VIEW}));
}

TEST_F(CommandRouting, MenuItemsTakeTheirStateFromTheRoute)
{
    UINT state = MenuState(0, ID_CMD_VIEW);
    EXPECT_FALSE(Grayed(state));
    EXPECT_TRUE(Checked(state));
    EXPECT_FALSE(Grayed(MenuState(0, ID_CMD_DOC)));
    EXPECT_FALSE(Checked(MenuState(0, ID_CMD_SHARED)));
    // Nobody answers for it: it cannot be chosen.
    EXPECT_TRUE(Grayed(MenuState(0, ID_CMD_NOBODY)));
    // A submenu entry has no command of its own and stays open to the user.
    HMENU popup = ::GetSubMenu(::GetMenu(frame->m_hWnd), 0);
    EXPECT_FALSE(Grayed(::GetMenuState(popup, 5, MF_BYPOSITION)));

    // The next opening shows the handler's new answer, not the old state.
    view->viewEnabled = false;
    view->viewChecked = false;
    state = MenuState(0, ID_CMD_VIEW);
    EXPECT_TRUE(Grayed(state));
    EXPECT_FALSE(Checked(state));
}

TEST_F(CommandRouting, ToolbarButtonsFollowTheRouteWhenIdle)
{
    HWND bar = frame->toolBar.m_hWnd;
    auto enabled = [&](UINT id) { return ::SendMessageA(bar, TB_ISBUTTONENABLED, id, 0) != 0; };
    auto checked = [&](UINT id) { return ::SendMessageA(bar, TB_ISBUTTONCHECKED, id, 0) != 0; };

    app.OnIdle();
    EXPECT_TRUE(enabled(ID_CMD_VIEW)) << "the view answers for this button";
    EXPECT_TRUE(checked(ID_CMD_VIEW));
    EXPECT_TRUE(enabled(ID_CMD_FRAME));
    EXPECT_FALSE(enabled(ID_CMD_NOBODY));

    view->viewEnabled = false;
    view->viewChecked = false;
    app.OnIdle();
    EXPECT_FALSE(enabled(ID_CMD_VIEW));
    EXPECT_FALSE(checked(ID_CMD_VIEW));
    // A disabled button does nothing when clicked.
    ClickButton(bar, ID_CMD_VIEW);
    EXPECT_TRUE(view->handled.empty());
}

TEST_F(CommandRouting, BarCommandsToggleTheBarsAndTheViewFillsTheRest)
{
    HWND tool = frame->toolBar.m_hWnd, status = frame->statusBar.m_hWnd;
    RECT client;
    ::GetClientRect(frame->m_hWnd, &client);
    ASSERT_GT(ChildRect(tool).bottom, 0);

    // Laid out when the frame was still hidden: the view must sit between the bars all the same.
    EXPECT_EQ(ChildRect(view->m_hWnd).top, ChildRect(tool).bottom);
    EXPECT_EQ(ChildRect(view->m_hWnd).bottom, ChildRect(status).top);
    EXPECT_TRUE(Checked(MenuState(1, fw::kCmdViewToolBar)));
    EXPECT_TRUE(Checked(MenuState(1, fw::kCmdViewStatusBar)));

    Command(fw::kCmdViewToolBar);
    EXPECT_FALSE(::IsWindowVisible(tool));
    EXPECT_EQ(ChildRect(view->m_hWnd).top, 0);
    EXPECT_EQ(ChildRect(view->m_hWnd).bottom, ChildRect(status).top);
    EXPECT_FALSE(Checked(MenuState(1, fw::kCmdViewToolBar)));
    EXPECT_TRUE(Checked(MenuState(1, fw::kCmdViewStatusBar)));

    Command(fw::kCmdViewStatusBar);
    EXPECT_FALSE(::IsWindowVisible(status));
    EXPECT_EQ(ChildRect(view->m_hWnd).bottom, client.bottom);
    EXPECT_FALSE(Checked(MenuState(1, fw::kCmdViewStatusBar)));

    Command(fw::kCmdViewToolBar);
    Command(fw::kCmdViewStatusBar);
    EXPECT_TRUE(::IsWindowVisible(tool) && ::IsWindowVisible(status));
    EXPECT_EQ(ChildRect(view->m_hWnd).top, ChildRect(tool).bottom);
    EXPECT_EQ(ChildRect(view->m_hWnd).bottom, ChildRect(status).top);
}
