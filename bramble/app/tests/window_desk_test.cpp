// bramble's window on a desk: closing with confirmation, the MIF browser that
// goes with it, hiding and showing, and the confirm window as owner.
#include <gtest/gtest.h>

#include "bramble/app/tests/bramble_desk.h"
#include "harness/harness.h"

using namespace bramble_desk;

namespace {

std::string ConfirmText()
{
    return std::string("本アプリケーションをキャンセルすると \n ") + kProduct +
           " の全機能が使用不可になります． \nキャンセルしてよろしいですか ?";
}

HWND WaitForClass(const char* className, DWORD processId)
{
    harness::WindowQuery query;
    query.className = className;
    query.processId = processId;
    return harness::waitForWindow(query);
}

}  // namespace

TEST(BrambleClose, NoKeepsServingYesClosesTheBrowserAndEnds)
{
    harness::deleteFile(kBrowserLog);
    harness::Process browser = harness::Process::start(kBrowser, "", kBrowserDir);
    HWND browserWindow = WaitForClass("CorvaneDMIBrowser32", browser.id());
    ASSERT_NE(browserWindow, nullptr);
    harness::Process bramble = Start();
    HWND window = WaitUntilServing(bramble.id());
    ASSERT_NE(window, nullptr);

    ASSERT_TRUE(harness::postMessage(window, WM_CLOSE));
    HWND box = harness::waitForMessageBox(kCaption, bramble.id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(harness::messageBoxText(box), ConfirmText());
    EXPECT_EQ(harness::messageBoxButtons(box), (std::vector<int>{IDYES, IDNO}));
    // The window came forward to ask.
    EXPECT_TRUE(harness::isVisible(window));
    EXPECT_TRUE(harness::answerMessageBox(box, IDNO));
    Sleep(300);
    EXPECT_TRUE(bramble.running());
    EXPECT_TRUE(IsWindow(browserWindow));
    EXPECT_FALSE(harness::fileExists(kBrowserLog));

    // Asked again; a second request while the box is open asks nothing more.
    ASSERT_TRUE(harness::postMessage(window, WM_CLOSE));
    box = harness::waitForMessageBox(kCaption, bramble.id());
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(harness::postMessage(window, WM_CLOSE));
    Sleep(500);
    int boxes = 0;
    for (HWND top : harness::topLevelWindows(bramble.id()))
        if (harness::windowClass(top) == harness::kDialogClass && harness::isVisible(top))
            ++boxes;
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(harness::answerMessageBox(box, IDYES));

    EXPECT_TRUE(harness::waitForWindowGone(browserWindow));
    EXPECT_TRUE(browser.wait(5000).has_value());
    EXPECT_EQ(harness::readFile(kBrowserLog), std::string("WM_CLOSE\r\n"));
    auto code = bramble.wait(8000);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
}

TEST(BrambleClose, YesWithoutABrowserEndsToo)
{
    harness::Process bramble = Start();
    HWND window = WaitUntilServing(bramble.id());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(harness::postMessage(window, WM_CLOSE));
    HWND box = harness::waitForMessageBox(kCaption, bramble.id());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(harness::answerMessageBox(box, IDYES));
    EXPECT_TRUE(bramble.wait(8000).has_value());
}

TEST(BrambleWindow, RestoreMessageShowsItAndMinimisingHidesIt)
{
    harness::Process bramble = Start();
    HWND window = WaitUntilServing(bramble.id());
    ASSERT_NE(window, nullptr);
    // Any other mouse message leaves it hidden.
    ASSERT_TRUE(harness::sendMessage(window, 0x48D, 0, WM_RBUTTONDOWN).has_value());
    EXPECT_FALSE(harness::isVisible(window));
    EXPECT_EQ(harness::sendMessage(window, 0x48D, 0, WM_LBUTTONDOWN), LRESULT{0});
    EXPECT_TRUE(harness::waitUntil([&] { return harness::isVisible(window); }, 2000));

    ASSERT_TRUE(harness::postMessage(window, WM_SYSCOMMAND, SC_MINIMIZE));
    EXPECT_TRUE(harness::waitUntil([&] { return !harness::isVisible(window); }, 2000));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(bramble.running());
}

TEST(BrambleWindow, MessagesWithoutActionAnswerZero)
{
    harness::Process bramble = Start();
    HWND window = WaitUntilServing(bramble.id());
    ASSERT_NE(window, nullptr);
    // 0x483 sets the clock only when a group 2 set left a value.
    for (UINT message : {0x469u, 0x46Fu, 0x471u, 0x483u, 0x484u, 0x485u, 0x48Au, 0x498u, 0x499u}) {
        SCOPED_TRACE(message);
        EXPECT_EQ(harness::sendMessage(window, message, 0, 0), LRESULT{0});
    }
    EXPECT_TRUE(bramble.running());
}

TEST(BrambleWindow, ConfirmWindowOwnsItWhenOpen)
{
    harness::Process confirm = harness::Process::start(kConfirm, "", kBrowserDir);
    HWND confirmWindow = WaitForClass("ConfirmWndClass", confirm.id());
    ASSERT_NE(confirmWindow, nullptr);
    harness::Process bramble = Start();
    HWND window = WaitUntilServing(bramble.id());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindow(window, GW_OWNER), confirmWindow);
}
