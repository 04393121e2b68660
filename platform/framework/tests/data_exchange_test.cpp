#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/framework/app.h"
#include "platform/framework/dialog.h"
#include "platform/framework/tests/test_resource.h"

namespace {

class ExchangeDialog : public fw::CDialog {
public:
    ExchangeDialog() : fw::CDialog(IDD_TESTDIALOG)
    {
        std::strcpy(code.text, "AB-1");
        std::memset(code.guard, 0x7F, sizeof code.guard);
    }
    std::string name = "山田";
    int count = 42;
    struct {
        char text[8];
        char guard[8];   // must stay as it is: the exchange writes only into text
    } code;

protected:
    void DoDataExchange(fw::CDataExchange& dx) override
    {
        fw::DDX_Text(dx, IDC_NAME, name);
        fw::DDV_MaxChars(dx, IDC_NAME, name, 10);
        fw::DDX_Text(dx, IDC_COUNT, count);
        fw::DDX_Text(dx, IDC_CODE, code.text, sizeof code.text);
    }
};

class DataExchange : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(nullptr)); }
    HWND Item(int id) { return ::GetDlgItem(dialog.m_hWnd, id); }
    void Type(int id, const char* text) { ::SetDlgItemTextA(dialog.m_hWnd, id, text); }
    std::string Text(int id)
    {
        char text[256] = "";
        ::GetDlgItemTextA(dialog.m_hWnd, id, text, sizeof text);
        return text;
    }

    ExchangeDialog dialog;
};

}  // namespace

TEST_F(DataExchange, MembersGoToControlsAndComeBack)
{
    EXPECT_EQ(Text(IDC_NAME), "山田");
    EXPECT_EQ(Text(IDC_COUNT), "42");
    EXPECT_EQ(Text(IDC_CODE), "AB-1");

    Type(IDC_NAME, "佐藤");
    Type(IDC_COUNT, " -17 ");
    Type(IDC_CODE, "XY");
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.name, "佐藤");
    EXPECT_EQ(dialog.count, -17);
    EXPECT_STREQ(dialog.code.text, "XY");

    Type(IDC_COUNT, "-2147483648");
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.count, INT_MIN);
}

TEST_F(DataExchange, TextThatIsNotANumberLeavesTheMemberAndTakesTheFocus)
{
    for (const char* bad : {"12x", "4294967296", "2147483648", ""}) {
        Type(IDC_COUNT, bad);
        ::SetFocus(Item(IDC_NAME));
        EXPECT_FALSE(dialog.UpdateData(true)) << bad;
        EXPECT_EQ(dialog.count, 42) << bad;
        EXPECT_EQ(::GetFocus(), Item(IDC_COUNT)) << bad;
    }
    // OK checks the data first: with a bad number the dialog stays open.
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDOK)));
    ASSERT_TRUE(::IsWindow(dialog.m_hWnd));
    // Cancel ends it without taking anything from the controls.
    Type(IDC_NAME, "佐藤");
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDCANCEL)));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.name, "山田");
}

TEST_F(DataExchange, CharBufferGetsWholeCharactersWithinItsSize)
{
    // 40 bytes of double-byte text into 8 bytes: 7 would end in a lead byte.
    Type(IDC_CODE, "表示表示表示表示表示表示表示表示表示表示");
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_STREQ(dialog.code.text, "表示表");
    EXPECT_EQ(std::string(dialog.code.guard, sizeof dialog.code.guard), std::string(8, '\x7F'));
}

TEST_F(DataExchange, MaxCharsLimitsTypingAndRefusesLongerText)
{
    EXPECT_EQ(::SendMessageA(Item(IDC_NAME), EM_GETLIMITTEXT, 0, 0), 10);
    Type(IDC_NAME, "あいうえお");   // 10 bytes
    EXPECT_TRUE(dialog.UpdateData(true));
    Type(IDC_NAME, "あいうえおか");
    ::SetFocus(Item(IDC_CODE));
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(::GetFocus(), Item(IDC_NAME));
}

TEST_F(DataExchange, MessageLoopGivesTabAndEnterToTheModelessDialog)
{
    fw::CWinApp app;
    ::SetFocus(Item(IDC_NAME));
    MSG tab = {Item(IDC_NAME), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(app.PreTranslateMessage(tab));
    EXPECT_EQ(::GetFocus(), Item(IDC_COUNT));

    // Enter presses the default button: OK takes the data and ends the dialog.
    Type(IDC_COUNT, "7");
    MSG enter = {Item(IDC_COUNT), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(app.PreTranslateMessage(enter));
    EXPECT_EQ(dialog.count, 7);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}
