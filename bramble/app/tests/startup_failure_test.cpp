// A start-up step that fails in-process: the hardware-monitor mutex cannot be
// made. The start ends there with the error code in a box captioned BRAMBLE.
#include <gtest/gtest.h>

#include <thread>

#include "bramble/app/instrumentation_app.h"
#include "harness/harness.h"

namespace {

HANDLE FailingMutex()
{
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

TEST(BrambleStartFailure, MutexThatCannotBeMadeEndsTheStartWithItsCode)
{
    bramble::SetMutexCreator(FailingMutex);
    bool started = true;
    std::thread start([&] {
        bramble::InstrumentationApp app(nullptr);
        started = app.InitInstance();
    });
    HWND box = harness::waitForMessageBox("BRAMBLE", GetCurrentProcessId());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(harness::messageBoxText(box).value_or(""), "Failed to create required Hardware Monitor MUTEX! RC: 8");
    EXPECT_TRUE(harness::answerMessageBox(box, IDOK));
    start.join();
    EXPECT_FALSE(started);
    // Nothing of the later steps happened: no window of bramble's class.
    EXPECT_EQ(FindWindowA("corvanedmici", nullptr), nullptr);
    bramble::SetMutexCreator(nullptr);
}

}  // namespace
