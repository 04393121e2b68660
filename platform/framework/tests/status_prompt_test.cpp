#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/framework/tests/test_frame.h"

using StatusPrompt = fwtest::FrameTest;

namespace {

// The tip text the frame gives for a command, asked as the toolbar asks.
std::string TipFor(HWND frame, UINT id, NMTTDISPINFOA& info)
{
    info = {};
    info.hdr.code = TTN_NEEDTEXTA;
    info.hdr.idFrom = id;
    ::SendMessageA(frame, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? info.lpszText : "";
}

}  // namespace

TEST_F(StatusPrompt, MenuSelectionShowsThePromptAndClosingShowsIdle)
{
    HMENU menu = ::GetMenu(frame->m_hWnd);
    auto select = [&](UINT id) {
        frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(id, MF_HILITE), reinterpret_cast<LPARAM>(menu));
        return frame->statusBar.GetText();
    };
    EXPECT_EQ(select(ID_CMD_VIEW), "表示を切り替えます");
    // A command without a prompt clears the last one rather than leaving it up.
    EXPECT_EQ(select(ID_CMD_NOBODY), "");
    EXPECT_EQ(select(ID_CMD_FRAME), "枠のｺﾏﾝﾄﾞです");

    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(frame->statusBar.GetText(), "準備完了");
}

TEST_F(StatusPrompt, ToolTipIsTheSecondLineCutBeforeAWholeCharacter)
{
    NMTTDISPINFOA info;
    EXPECT_EQ(TipFor(frame->m_hWnd, ID_CMD_VIEW, info), "表示の切り替え");
    EXPECT_EQ(TipFor(frame->m_hWnd, ID_CMD_NOBODY, info), "");

    // Fifty 表 are 100 bytes; the 80-byte tip buffer holds 79 and its NUL,
    // which would end in the lead byte of the 40th: only 39 fit whole.
    std::string tip = TipFor(frame->m_hWnd, ID_CMD_FRAME, info);
    std::string expected;
    for (int i = 0; i < 39; ++i)
        expected += "表";
    EXPECT_EQ(tip, expected);
    EXPECT_EQ(info.lpszText, info.szText);
}
