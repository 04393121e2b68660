#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "harness/message_box.h"
#include "harness/messages.h"
#include "harness/process.h"
#include "harness/tests/sample.h"
#include "harness/window.h"

using namespace harness;

namespace {

// The sample's window title and edit text in code page 932.
const std::string kTitle =
    "\x83\x6e\x81\x5b\x83\x6c\x83\x58\x8e\x8e\x8c\xb1\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45";
const std::string kEditText = "\xc3\xbd\xc4\x95\x5c\x8e\xa6\x2d\x83\x5c\x94\x5c\x97\x5c\x81\x60\x87\x40";
const int kEditId = 100;
const DWORD kClosedExitCode = 3;

WindowQuery sampleWindow(DWORD processId) {
    WindowQuery query;
    query.className = "HarnessSample";
    query.processId = processId;
    return query;
}

DWORD millisecondsSince(DWORD start) { return GetTickCount() - start; }

}  // namespace

TEST(Window, IsFoundByTitleAndItsControlIsReadAcrossProcesses) {
    Process sample = Process::start(samplePath(), "window");
    ASSERT_TRUE(sample.valid()) << sample.error();

    WindowQuery query = sampleWindow(sample.id());
    query.title = kTitle;
    query.visibleOnly = true;
    HWND window = waitForWindow(query);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(kTitle, windowTitle(window));
    EXPECT_EQ(kEditText, controlText(window, kEditId));
    EXPECT_FALSE(controlText(window, kEditId + 1).has_value());

    const std::vector<HWND> windows = topLevelWindows(sample.id());
    EXPECT_NE(windows.end(), std::find(windows.begin(), windows.end(), window));

    // Titles match exactly, and only for the process asked about.
    WindowQuery shorter = query;
    shorter.title = kTitle.substr(0, kTitle.size() - 2);
    EXPECT_EQ(nullptr, findWindow(shorter));
    WindowQuery longer = query;
    longer.title = kTitle + "\x83\x45";
    EXPECT_EQ(nullptr, findWindow(longer));
    WindowQuery elsewhere = query;
    elsewhere.processId = GetCurrentProcessId();
    EXPECT_EQ(nullptr, findWindow(elsewhere));

    EXPECT_EQ(kClosedExitCode, closeProcess(sample));
    EXPECT_FALSE(IsWindow(window));
}

TEST(Window, WaitsThatCannotSucceedTimeOut) {
    Process sleeper = Process::start(samplePath(), "sleep");
    ASSERT_TRUE(sleeper.valid()) << sleeper.error();

    DWORD start = GetTickCount();
    EXPECT_EQ(nullptr, waitForWindow(sampleWindow(sleeper.id()), 300));
    DWORD waited = millisecondsSince(start);
    EXPECT_GE(waited, 300u);
    EXPECT_LT(waited, 2000u);

    start = GetTickCount();
    EXPECT_EQ(nullptr, waitForMessageBox("\xca\xb0\xc8\xbd", sleeper.id(), 300));
    EXPECT_LT(millisecondsSince(start), 2000u);

    // A program that stops answering cannot block the test.
    Process hung = Process::start(samplePath(), "hang");
    ASSERT_TRUE(hung.valid()) << hung.error();
    HWND window = waitForWindow(sampleWindow(hung.id()));
    ASSERT_NE(nullptr, window);
    start = GetTickCount();
    EXPECT_FALSE(sendMessage(window, WM_NULL, 0, 0, 300).has_value());
    EXPECT_FALSE(controlText(window, kEditId, 300).has_value());
    EXPECT_EQ(kTitle, windowTitle(window));
    EXPECT_FALSE(closeWindow(window, 300));
    EXPECT_LT(millisecondsSince(start), 3000u);
}
