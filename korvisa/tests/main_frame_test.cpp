// The main frame made in the test's own process: toolbar choice, page
// commands with their busy flags, the USB rule, the preserve switch and what
// the frame keeps at its end. Its settings go to a scratch key.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "korvisa/app/registry_settings.h"
#include "korvisa/frame/main_frame.h"
#include "korvisa/frame/page_table.h"
#include "korvisa/res/resource.h"
#include "platform/framework/dialog.h"

using namespace korvisa;

namespace {

const char kScratchKey[] = "SOFTWARE\\HelmsetTests\\MainFrame";

int s_width = 1024;
int ScreenWidth() { return s_width; }

OSVERSIONINFOA s_version = {};
bool Version(OSVERSIONINFOA& v)
{
    v = s_version;
    return true;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kScratchKey);
        s_width = 1024;
        CMainFrame::s_screenWidth = ScreenWidth;
        CMainFrame::s_systemVersion = Version;
        s_version = OSVERSIONINFOA{};
        s_version.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
        s_version.dwMinorVersion = 10;
    }
    void TearDown() override
    {
        End();
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kScratchKey);
    }
    // A new frame, created and placed as at a start.
    bool Create()
    {
        End();
        made = std::make_unique<CMainFrame>();
        made->SetSettingsKey(kScratchKey);
        if (!made->LoadFrame(IDR_MAINFRAME))
            return false;
        ::ShowWindow(made->m_hWnd, SW_SHOWNORMAL);
        Pump();
        return true;
    }
    // Ends the frame as the program's end does.
    void End()
    {
        if (made && made->m_hWnd)
            made->DestroyWindow();
    }
    fw::CCmdUI State(UINT id)
    {
        fw::CCmdUI ui;
        ui.id = id;
        made->RouteUpdate(ui);
        return ui;
    }
    std::unique_ptr<CMainFrame> made;
};

// A trivial modal page: while it is open it asks the frame for its own page
// again and notes what the frame shows, then ends.
struct BusyProbe {
    static int openings;
    static bool checkedWhileOpen;
    static UINT command;
};
int BusyProbe::openings = 0;
bool BusyProbe::checkedWhileOpen = false;
UINT BusyProbe::command = 0;

class ProbePage : public fw::CDialog {
public:
    explicit ProbePage(CMainFrame& frame) : fw::CDialog(IDD_ABOUTBOX, frame.m_hWnd), m_frame(frame) {}

protected:
    bool OnInitDialog() override
    {
        // Posted, so it arrives through the page's own message loop, as a
        // click on the menu or a picture would.
        m_frame.PostMessage(WM_COMMAND, BusyProbe::command, 0);
        PostMessage(WM_APP);
        return fw::CDialog::OnInitDialog();
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_APP) {
            fw::CCmdUI ui;
            ui.id = BusyProbe::command;
            m_frame.RouteUpdate(ui);
            BusyProbe::checkedWhileOpen = ui.checked;
            EndDialog(IDOK);
            return 0;
        }
        return fw::CDialog::WindowProc(msg, wParam, lParam);
    }

private:
    CMainFrame& m_frame;
};

void OpenProbe(CMainFrame& frame)
{
    ++BusyProbe::openings;
    ProbePage page(frame);
    page.DoModal();
}

// Puts a page opener in place for one test and the old one back after.
class OpenerSwap {
public:
    OpenerSwap(UINT command, PageOpener opener) : m_command(command), m_old(ReplacePageOpener(command, opener)) {}
    ~OpenerSwap() { ReplacePageOpener(m_command, m_old); }

private:
    UINT m_command;
    PageOpener m_old;
};

}  // namespace

TEST_F(MainFrameTest, ToolBarImagesSwitchAbove820PixelsWithTheSameButtons)
{
    for (int width : {820, 821}) {
        SCOPED_TRACE(width);
        s_width = width;
        ASSERT_TRUE(Create());
        CMainFrame& frame = *made;
        SIZE images = frame.ToolBar().ImageSize();
        EXPECT_EQ(width > 820 ? 32 : 16, images.cx);
        EXPECT_EQ(images.cx, images.cy);
        const std::vector<UINT> expected = {
            ID_PAGE_BODY, ID_PAGE_MEMORY, ID_PAGE_MEDIA, ID_PAGE_DISPLAY, ID_PAGE_KEYBOARD, ID_PAGE_MOUSE,
            ID_PAGE_PRINTER, ID_PAGE_MODEM, ID_PAGE_DMI_SOFTWARE, ID_PAGE_INSTALLED_SOFTWARE, ID_PAGE_PORTS,
            ID_PAGE_SLOTS, ID_PAGE_SCSI_LAN, ID_PAGE_USB, 0, ID_NET_COMPUTER_LIST, ID_TOOL_STATUS_MONITOR,
            ID_TOOL_MIF_BROWSER, ID_TOOL_BIOS_BROWSER, 0, ID_SETTINGS_MONITORING, ID_SETTINGS_PRESERVE,
            ID_HELP_FINDER, ID_CONTEXT_HELP};
        EXPECT_EQ(expected, frame.ToolBar().ButtonIds());
        // The button the toolbar really shows is as large as its images.
        RECT button = {};
        ASSERT_TRUE(frame.ToolBar().SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button)));
        EXPECT_GE(button.right - button.left, images.cx);
        EXPECT_LT(button.right - button.left, images.cx + 16);
        char title[32] = "";
        ::GetWindowTextA(frame.ToolBar().m_hWnd, title, sizeof title);
        EXPECT_STREQ("ﾂｰﾙﾊﾞｰ", title);
        // Docked at the top at start, free to go to any side.
        EXPECT_EQ(fw::kDockTop, frame.ToolBar().DockedSide());
        EXPECT_EQ(fw::kDockAny, frame.ToolBar().DockSides() & frame.DockingSides());
    }
}

TEST_F(MainFrameTest, SecondRequestOfAnOpenPageIsIgnoredAndTheCommandShowsChecked)
{
    ASSERT_TRUE(Create());
    for (UINT command : {ID_PAGE_BODY, ID_SETTINGS_MONITORING}) {
        SCOPED_TRACE(command);
        OpenerSwap swap(command, OpenProbe);
        BusyProbe::openings = 0;
        BusyProbe::checkedWhileOpen = false;
        BusyProbe::command = command;
        EXPECT_FALSE(State(command).checked);
        made->SendMessage(WM_COMMAND, command, 0);
        Pump();
        EXPECT_EQ(1, BusyProbe::openings);     // the request made while it was open did nothing
        EXPECT_TRUE(BusyProbe::checkedWhileOpen);
        EXPECT_FALSE(State(command).checked);  // cleared when the page ended
        EXPECT_FALSE(made->IsPageOpen(command));
        // Once closed it opens again.
        made->SendMessage(WM_COMMAND, command, 0);
        Pump();
        EXPECT_EQ(2, BusyProbe::openings);
    }
    // A page that does not exist yet: the command is there and does nothing.
    EXPECT_EQ(nullptr, PageOpenerFor(ID_PAGE_MEMORY));
    EXPECT_TRUE(State(ID_PAGE_MEMORY).enabled);
    made->SendMessage(WM_COMMAND, ID_PAGE_MEMORY, 0);
    EXPECT_FALSE(made->IsPageOpen(ID_PAGE_MEMORY));
}

TEST_F(MainFrameTest, UsbCommandOpensItsPageOnlyWhereTheSystemHasUsb)
{
    ASSERT_TRUE(Create());
    OpenerSwap swap(ID_PAGE_USB, OpenProbe);
    BusyProbe::command = ID_PAGE_USB;
    BusyProbe::openings = 0;

    // Windows 95 with an empty service-pack text: nothing opens.
    s_version.dwMinorVersion = 0;
    s_version.szCSDVersion[0] = '\0';
    made->SendMessage(WM_COMMAND, ID_PAGE_USB, 0);
    Pump();
    EXPECT_EQ(0, BusyProbe::openings);
    s_version.dwPlatformId = VER_PLATFORM_WIN32_NT;
    made->SendMessage(WM_COMMAND, ID_PAGE_USB, 0);
    Pump();
    EXPECT_EQ(0, BusyProbe::openings);

    s_version.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    s_version.szCSDVersion[0] = 'B';
    s_version.szCSDVersion[1] = '\0';
    made->SendMessage(WM_COMMAND, ID_PAGE_USB, 0);
    Pump();
    EXPECT_EQ(1, BusyProbe::openings);
}

TEST_F(MainFrameTest, PreserveSwitchFlipsItsCheckAndDecidesWhatIsKept)
{
    ASSERT_TRUE(Create());
    EXPECT_EQ(1u, made->Preserve());   // missing counts as 1
    EXPECT_TRUE(State(ID_SETTINGS_PRESERVE).checked);
    made->SendMessage(WM_COMMAND, ID_SETTINGS_PRESERVE, 0);
    EXPECT_EQ(0u, made->Preserve());
    EXPECT_FALSE(State(ID_SETTINGS_PRESERVE).checked);

    // Switched off: Preserve = 0 is written, no position.
    End();
    DWORD preserve = 7;
    ASSERT_TRUE(ReadMachineDword(kScratchKey, "Preserve", preserve));
    EXPECT_EQ(0u, preserve);
    std::string position;
    EXPECT_FALSE(ReadMachineString(kScratchKey, "PositionMain", 260, position));

    // Next start reads 0 and unchecks; switched on again, the position is kept.
    ASSERT_TRUE(Create());
    EXPECT_EQ(0u, made->Preserve());
    EXPECT_FALSE(State(ID_SETTINGS_PRESERVE).checked);
    made->SendMessage(WM_COMMAND, ID_SETTINGS_PRESERVE, 0);
    EXPECT_TRUE(State(ID_SETTINGS_PRESERVE).checked);
    ::MoveWindow(made->m_hWnd, 40, 30, 500, 420, FALSE);
    End();
    ASSERT_TRUE(ReadMachineDword(kScratchKey, "Preserve", preserve));
    EXPECT_EQ(1u, preserve);
    ASSERT_TRUE(ReadMachineString(kScratchKey, "PositionMain", 260, position));
    EXPECT_EQ("40 30 540 450", position);
}

TEST_F(MainFrameTest, SavedPositionIsUsedAndBroughtBackOntoTheDesktop)
{
    RECT desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const LONG dw = desktop.right - desktop.left, dh = desktop.bottom - desktop.top;

    // Wholly right of the desktop: centred.
    ASSERT_TRUE(WriteMachineString(kScratchKey, "PositionMain",
                                   std::to_string(desktop.right + 50) + " 40 " + std::to_string(desktop.right + 550) +
                                       " 460"));
    ASSERT_TRUE(Create());
    RECT r;
    ::GetWindowRect(made->m_hWnd, &r);
    EXPECT_EQ(500, r.right - r.left);
    EXPECT_EQ(420, r.bottom - r.top);
    EXPECT_EQ(desktop.left + (dw - 500) / 2, r.left);
    EXPECT_EQ(desktop.top + (dh - 420) / 2, r.top);
    End();

    // Hanging over the top edge: moved down, left and size kept.
    ASSERT_TRUE(WriteMachineString(kScratchKey, "PositionMain", "60 -100 560 320"));
    ASSERT_TRUE(Create());
    ::GetWindowRect(made->m_hWnd, &r);
    EXPECT_EQ(60, r.left);
    EXPECT_EQ(desktop.top, r.top);
    EXPECT_EQ(500, r.right - r.left);
    End();

    // Not kept: the saved position is not used, and the frame takes the
    // toolbar's width and a height from its client width.
    ASSERT_TRUE(WriteMachineDword(kScratchKey, "Preserve", 0));
    ASSERT_TRUE(WriteMachineString(kScratchKey, "PositionMain", "333 222 833 642"));
    ASSERT_TRUE(Create());
    ::GetWindowRect(made->m_hWnd, &r);
    EXPECT_NE(333, r.left);
    // The toolbar spanned the old client area, whose width is now the
    // frame's: the height follows from it.
    RECT bar, status;
    ::GetWindowRect(made->ToolBar().m_hWnd, &bar);
    ::GetWindowRect(::GetDlgItem(made->m_hWnd, fw::kStatusBarId), &status);
    EXPECT_EQ(((r.right - r.left) / 5) * 3 + (bar.bottom - bar.top) + (status.bottom - status.top) + 70,
              r.bottom - r.top);
}

TEST_F(MainFrameTest, ContextHelpModeHoldsTheMouseUntilEscapeOrTheRightButton)
{
    ASSERT_TRUE(Create());
    made->SendMessage(WM_COMMAND, ID_CONTEXT_HELP, 0);
    EXPECT_TRUE(made->InContextHelp());
    EXPECT_EQ(made->m_hWnd, ::GetCapture());

    // Escape, wherever the focus is, leaves the mode.
    MSG escape = {made->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(made->PreTranslateMessage(escape));
    EXPECT_FALSE(made->InContextHelp());
    EXPECT_EQ(nullptr, ::GetCapture());

    made->SendMessage(WM_COMMAND, ID_CONTEXT_HELP, 0);
    ASSERT_TRUE(made->InContextHelp());
    made->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    EXPECT_FALSE(made->InContextHelp());
    EXPECT_EQ(nullptr, ::GetCapture());
    // Out of the mode, Escape is no business of the frame.
    EXPECT_FALSE(made->PreTranslateMessage(escape));
}
