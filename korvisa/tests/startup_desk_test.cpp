// The real viewer started on a fresh desk: start-up picture, single instance.
#include <gtest/gtest.h>

#include <optional>

#include "harness/harness.h"
#include "korvisa/tests/viewer_desk.h"

using namespace viewer_desk;

namespace {

// Waits for a process to end, watching that it never shows a window of its
// own. Nothing when it did not end in time.
std::optional<DWORD> WaitShowingNoWindow(harness::Process& process, bool& showedWindow)
{
    showedWindow = false;
    for (int waited = 0; waited < 8000; waited += 20) {
        for (HWND window : harness::topLevelWindows(process.id()))
            showedWindow = showedWindow || harness::isVisible(window);
        if (auto code = process.wait(20))
            return code;
    }
    return std::nullopt;
}

}  // namespace

TEST(ViewerStart, ShowsMainWindowAndStartupPictureThatEndsByItself)
{
    harness::Process viewer = Start();
    ASSERT_TRUE(viewer.valid());
    HWND main = WaitForMainWindow(viewer.id());
    ASSERT_NE(main, nullptr);

    HWND splash = FindSplash(viewer.id());
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(harness::waitUntil([&] { return harness::isVisible(splash); }, 2000));
    auto rect = harness::windowRect(splash);
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->right - rect->left, 400);
    EXPECT_EQ(rect->bottom - rect->top, 250);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(rect->left, (screenWidth - 400) / 2);
    EXPECT_EQ(rect->top, (screenHeight - 250) / 2);

    // Its timer (three seconds) ends it; the viewer itself goes on.
    EXPECT_TRUE(harness::waitForWindowGone(splash, 8000));
    EXPECT_TRUE(viewer.running());
    EXPECT_TRUE(harness::closeWindow(main));
    EXPECT_TRUE(viewer.wait(5000).has_value());
}

TEST(ViewerStart, KeyOrMouseButtonEndsTheStartupPicture)
{
    harness::Process viewer = Start();
    HWND main = WaitForMainWindow(viewer.id());
    ASSERT_NE(main, nullptr);
    HWND splash = FindSplash(viewer.id());
    ASSERT_NE(splash, nullptr);
    // This desk has no PC component program: the picture view says it found
    // no computer type, and its box keeps the main window disabled.
    if (HWND box = harness::waitForMessageBox(kBoxCaption, viewer.id(), 1000)) {
        ASSERT_TRUE(harness::answerMessageBox(box, IDOK));
    }
    // A right button pressed on the main window, not on the picture itself.
    ASSERT_TRUE(harness::postMessage(main, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10)));
    EXPECT_TRUE(harness::waitForWindowGone(splash, 1500));
    EXPECT_TRUE(viewer.running());
}

TEST(ViewerStart, EmbeddingAndAutomationShowNoStartupPicture)
{
    for (const char* word : {"/Embedding", "-Automation"}) {
        SCOPED_TRACE(word);
        harness::Process viewer = Start(word);
        HWND main = WaitForMainWindow(viewer.id());
        ASSERT_NE(main, nullptr);
        Sleep(300);
        EXPECT_EQ(FindSplash(viewer.id()), nullptr);
        EXPECT_TRUE(harness::closeWindow(main));
        EXPECT_TRUE(viewer.wait(5000).has_value());
    }
}

TEST(ViewerStart, MissingOrBrokenPictureFileIsSilent)
{
    std::string picture = std::string(kBinDir) + "\\TAVOLA.BMP";
    // A header that claims far more pixels than the file holds.
    std::string broken = "BM";
    broken.resize(14 + 40, '\0');
    broken[10] = 14 + 40;
    broken[14] = 40;
    broken[18] = '\x7f';
    broken[19] = '\x7f';
    broken[22] = '\x7f';
    broken[26] = 1;
    broken[28] = 24;
    for (bool present : {false, true}) {
        SCOPED_TRACE(present ? "broken file" : "missing file");
        if (present)
            ASSERT_TRUE(harness::writeFile(picture, broken));
        else
            ASSERT_TRUE(harness::deleteFile(picture));
        harness::Process viewer = Start();
        HWND main = WaitForMainWindow(viewer.id());
        ASSERT_NE(main, nullptr);
        EXPECT_NE(FindSplash(viewer.id()), nullptr);
        Sleep(500);
        // The only box is the picture view's: this desk has no PC component
        // program, so no computer type.
        if (HWND box = harness::findMessageBox(kBoxCaption, viewer.id())) {
            EXPECT_EQ(harness::messageBoxText(box),
                      std::string("コンピュータのタイプが取得できませんでした。\n動作環境が変更されている可能性があります。"));
        }
        EXPECT_TRUE(viewer.running());
        EXPECT_TRUE(harness::closeWindow(main));
        EXPECT_TRUE(viewer.wait(5000).has_value());
    }
}

TEST(ViewerStart, SecondStartEndsSilentlyThroughTheMappingWhenOnlyTheMainWindowIsOpen)
{
    harness::Process first = Start("/Embedding");
    HWND main = WaitForMainWindow(first.id());
    ASSERT_NE(main, nullptr);
    // This desk has no PC component program: the picture view's box about the
    // computer type is answered first, so that no window carries the boxes'
    // caption and only the mapping can stop the second start.
    if (HWND box = harness::waitForMessageBox(kBoxCaption, first.id(), 1500)) {
        ASSERT_TRUE(harness::answerMessageBox(box, IDOK));
    }
    ASSERT_EQ(FindWindowA(nullptr, kBoxCaption), nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(harness::waitUntil([&] { return IsIconic(main) != FALSE; }, 2000));

    harness::Process second = Start();
    bool showedWindow = false;
    auto code = WaitShowingNoWindow(second, showedWindow);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(showedWindow);
    EXPECT_TRUE(first.running());
    // The running viewer's main window is left as it was, not brought up.
    EXPECT_TRUE(IsIconic(main));
    EXPECT_TRUE(harness::closeWindow(main));
    EXPECT_TRUE(first.wait(5000).has_value());
}

TEST(ViewerStart, NameTakenByAnotherKindOfObjectDoesNotStopTheStart)
{
    // Only a mapping that already exists means a running viewer.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "RemoteViewMap");
    ASSERT_NE(mutex, nullptr);
    ASSERT_EQ(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1, "RemoteViewMap"), nullptr);

    harness::Process viewer = Start("/Embedding");
    HWND main = WaitForMainWindow(viewer.id());
    EXPECT_NE(main, nullptr);
    if (main) {
        EXPECT_TRUE(harness::closeWindow(main));
        EXPECT_TRUE(viewer.wait(5000).has_value());
    }
    CloseHandle(mutex);
}

TEST(ViewerStart, SecondStartBringsTheRunningViewersMessageBoxForward)
{
    // The removal report of "/R" is a box captioned like every viewer box,
    // shown by a process that holds the viewer's mapping.
    harness::Process first = Start("/R");
    HWND box = harness::waitForMessageBox(kBoxCaption, first.id());
    ASSERT_NE(box, nullptr);
    // Hide it behind something else first, so "forward" can be seen.
    ShowWindow(box, SW_MINIMIZE);

    harness::Process second = Start();
    bool showedWindow = false;
    auto code = WaitShowingNoWindow(second, showedWindow);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(showedWindow);
    EXPECT_FALSE(IsIconic(box));
    EXPECT_TRUE(harness::isVisible(box));
    EXPECT_TRUE(harness::isForeground(box));
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(harness::answerMessageBox(box, IDOK));
    EXPECT_TRUE(first.wait(5000).has_value());
}

TEST(ViewerStart, PrintAndDdeWordsEndWithoutAWindow)
{
    for (const char* word : {"/p", "/pt", "-dde"}) {
        SCOPED_TRACE(word);
        harness::Process viewer = Start(word);
        // Nothing to print or open: the start-up ends by itself.
        EXPECT_TRUE(viewer.wait(8000).has_value());
    }
    // "L" starts as usual, with the picture.
    harness::Process viewer = Start("/L");
    HWND main = WaitForMainWindow(viewer.id());
    ASSERT_NE(main, nullptr);
    EXPECT_NE(FindSplash(viewer.id()), nullptr);
}
