// The status display's stand-in on a desk: how it records its start, and
// the notices it shows.
#include <gtest/gtest.h>

#include <string>

#include "harness/harness.h"

namespace {

const char kProgram[] = "C:\\HELMSET\\BIN\\beacon.exe";
const char kLog[] = "C:\\HELMSET\\BIN\\beacon_start.log";
const UINT kStatusNotice = WM_USER + 512;

}  // namespace

TEST(Beacon, RecordsEachStartAndShowsTheLastLevelPerMonitor)
{
    harness::deleteFile(kLog);
    harness::Process first = harness::Process::start(kProgram, "/first", "C:\\DMI");
    ASSERT_TRUE(first.valid());
    harness::WindowQuery query;
    query.title = "状態監視";
    query.processId = first.id();
    HWND display = harness::waitForWindow(query);
    ASSERT_NE(display, nullptr);
    // The window can be found while it is still making its lines.
    EXPECT_TRUE(harness::waitUntil([&] { return harness::controlText(display, 100).value_or("") == "ﾃﾞｨｽｸ : --"; }));

    // Kind 5 (health) goes to the fifth line; kind 4 is no monitor.
    ASSERT_TRUE(harness::postMessage(display, kStatusNotice, 5, 1));
    ASSERT_TRUE(harness::postMessage(display, kStatusNotice, 4, 1));
    ASSERT_TRUE(harness::postMessage(display, kStatusNotice, 0, 0));
    ASSERT_TRUE(harness::postMessage(display, kStatusNotice, 2, 7));
    // The notices are handled in order: once the last one shows, all have.
    EXPECT_TRUE(harness::waitUntil([&] { return harness::controlText(display, 102).value_or("") == "ﾌﾟﾘﾝﾀ : 不明"; }));
    EXPECT_EQ(std::string("本体 : 警告"), harness::controlText(display, 104).value_or(""));
    EXPECT_EQ(std::string("ﾃﾞｨｽｸ : 正常"), harness::controlText(display, 100).value_or(""));
    EXPECT_EQ(std::string("ﾃﾞｨｽｸ予兆 : --"), harness::controlText(display, 103).value_or(""));
    // A later notice replaces the level.
    ASSERT_TRUE(harness::postMessage(display, kStatusNotice, 5, 2));
    EXPECT_TRUE(harness::waitUntil(
        [&] { return harness::controlText(display, 104).value_or("") == "本体 : 監視していません"; }));
    EXPECT_TRUE(harness::closeWindow(display));
    ASSERT_TRUE(first.wait().has_value());

    // A second start adds its own record after the first.
    harness::Process second = harness::Process::start(kProgram, "", "C:\\HELMSET");
    query.processId = second.id();
    HWND again = harness::waitForWindow(query);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(harness::closeWindow(again));
    auto log = harness::readFile(kLog);
    ASSERT_TRUE(log.has_value());
    size_t one = log->find("/first\r\ndirectory=C:\\DMI\r\n");
    size_t two = log->find("directory=C:\\HELMSET\r\n");
    EXPECT_NE(one, std::string::npos) << *log;
    EXPECT_NE(two, std::string::npos) << *log;
    EXPECT_LT(one, two);
}
