// The frame's decisions that take plain inputs: placing the frame on the
// desktop, the saved position text, the USB page's systems, the tools' paths.
#include <gtest/gtest.h>

#include <cstring>

#include "korvisa/frame/placement.h"
#include "korvisa/frame/tool_commands.h"
#include "korvisa/frame/usb_rule.h"
#include "korvisa/res/resource.h"

using namespace korvisa;

namespace {

const RECT kDesktop = {0, 0, 1024, 768};

RECT Moved(const RECT& r, LONG dx, LONG dy)
{
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

void ExpectRect(const RECT& expected, const RECT& got)
{
    EXPECT_EQ(expected.left, got.left);
    EXPECT_EQ(expected.top, got.top);
    EXPECT_EQ(expected.right, got.right);
    EXPECT_EQ(expected.bottom, got.bottom);
}

}  // namespace

TEST(FramePlacement, CornersOnTheDesktopDecideTheMove)
{
    struct Case {
        const char* what;
        RECT frame;
        RECT expected;
    };
    const Case cases[] = {
        {"wholly on the desktop: stays", {100, 100, 500, 400}, {100, 100, 500, 400}},
        {"only bottom-right on: moves to the top-left corner", {-300, -200, 100, 100}, {0, 0, 400, 300}},
        {"only top-right on: moves by left and bottom", {-300, 600, 100, 900}, Moved({-300, 600, 100, 900}, 300, -132)},
        {"only bottom-left on: moves by right and top", {900, -200, 1300, 100}, Moved({900, -200, 1300, 100}, -276, 200)},
        {"bottom edge on, top off: down to the top", {100, -50, 500, 250}, {100, 0, 500, 300}},
        {"top edge on, bottom off: up to the bottom", {100, 600, 500, 900}, {100, 468, 500, 768}},
        {"right edge on, left off: right to the left", {-100, 100, 300, 400}, {0, 100, 400, 400}},
        {"left edge on, right off: left to the right", {900, 100, 1300, 400}, {624, 100, 1024, 400}},
        // The right and bottom edges of the desktop are not on it: a frame
        // flush with its bottom-right corner has only its top-left corner on
        // it, and that centres.
        {"flush with the bottom-right corner: centred", {624, 468, 1024, 768}, {312, 234, 712, 534}},
        {"wider than the desktop on both sides: centred", {-100, 100, 1200, 400}, {-138, 234, 1162, 534}},
        {"one pixel inside the bottom-right corner: stays", {623, 467, 1023, 767}, {623, 467, 1023, 767}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectRect(c.expected, PlaceOnDesktop(c.frame, kDesktop));
    }
}

TEST(FramePlacement, FrameWhollyOffTheDesktopComesBackCentred)
{
    // Right of the desktop, below it, and far away up-left: every corner but
    // the top-left one is off, which centres.
    for (RECT frame : {RECT{2000, 100, 2400, 500}, RECT{100, 900, 500, 1300}, RECT{-900, -900, -500, -500},
                       RECT{-200, -200, 1224, 968}}) {
        RECT placed = PlaceOnDesktop(frame, kDesktop);
        LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
        ExpectRect(RECT{(1024 - width) / 2, (768 - height) / 2, (1024 - width) / 2 + width,
                        (768 - height) / 2 + height},
                   placed);
    }
    // A desktop that does not start at 0 centres on itself.
    RECT placed = PlaceOnDesktop(RECT{5000, 0, 5400, 300}, RECT{-1024, 0, 0, 768});
    ExpectRect(RECT{-712, 234, -312, 534}, placed);
}

TEST(FramePlacement, UnpreservedHeightIsThreeFifthsOfTheClientWidthPlusBars)
{
    EXPECT_EQ((604 / 5) * 3 + 30 + 20 + 70, UnpreservedHeight(604, 30, 20));
    EXPECT_EQ(70, UnpreservedHeight(4, 0, 0));
}

TEST(FramePosition, StoredTextRoundTripsAndBadTextIsRefused)
{
    RECT r = {};
    ASSERT_TRUE(ParsePosition(FormatPosition(RECT{-8, 12, 640, 480}).c_str(), r));
    ExpectRect(RECT{-8, 12, 640, 480}, r);
    EXPECT_EQ("-8 12 640 480", FormatPosition(RECT{-8, 12, 640, 480}));
    EXPECT_TRUE(ParsePosition("  10 20 30 40  ", r));

    RECT untouched = {1, 2, 3, 4};
    for (const char* bad : {"", "10 20 30", "10 20 30 40 50", "10 20 x 40", "10 20 10 40", "10 40 30 40",
                            "99999999999 0 1 1", "10,20,30,40", "- 1 2 3 4"}) {
        SCOPED_TRACE(bad);
        r = untouched;
        EXPECT_FALSE(ParsePosition(bad, r));
        ExpectRect(untouched, r);
    }
    EXPECT_FALSE(ParsePosition(nullptr, r));
}

TEST(UsbPageRule, OnlyTheWindows95FamilyWithUsbSupport)
{
    struct Case {
        DWORD platform, minor;
        const char* servicePack;
        bool opens;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 0, "", false},    // Windows 95 without a release letter
        {VER_PLATFORM_WIN32_WINDOWS, 0, "A", false},   // its first service release
        {VER_PLATFORM_WIN32_WINDOWS, 0, "a", false},
        {VER_PLATFORM_WIN32_WINDOWS, 0, "B", true},    // the later ones bring USB
        {VER_PLATFORM_WIN32_WINDOWS, 0, "C", true},
        {VER_PLATFORM_WIN32_WINDOWS, 10, "", true},    // Windows 98
        {VER_PLATFORM_WIN32_WINDOWS, 90, "", true},
        {VER_PLATFORM_WIN32_NT, 0, "Service Pack 6", false},
        {VER_PLATFORM_WIN32s, 10, "", false},
    };
    for (const Case& c : cases) {
        OSVERSIONINFOA v = {};
        v.dwOSVersionInfoSize = sizeof v;
        v.dwPlatformId = c.platform;
        v.dwMajorVersion = 4;
        v.dwMinorVersion = c.minor;
        std::strcpy(v.szCSDVersion, c.servicePack);
        SCOPED_TRACE(std::string(c.servicePack) + " minor " + std::to_string(c.minor));
        EXPECT_EQ(c.opens, UsbPageAllowed(v));
    }
}

TEST(ToolCommands, ProgramsAndWorkingDirectoriesFromTheInstallation)
{
    ToolLaunch launch;
    ASSERT_TRUE(ToolLaunchFor(ID_TOOL_STATUS_MONITOR, "C:\\HELMSET", "C:\\DMI", launch));
    EXPECT_EQ("C:\\HELMSET\\Bin\\beacon.exe", launch.program);
    EXPECT_EQ("C:\\DMI\\Win32\\BIN", launch.workingDirectory);
    ASSERT_TRUE(ToolLaunchFor(ID_TOOL_MIF_BROWSER, "C:\\HELMSET", "C:\\DMI", launch));
    EXPECT_EQ("C:\\DMI\\Win32\\Bin\\foliant.exe", launch.program);
    EXPECT_EQ("", launch.workingDirectory);
    ASSERT_TRUE(ToolLaunchFor(ID_TOOL_BIOS_BROWSER, "C:\\HELMSET", "C:\\DMI", launch));
    EXPECT_EQ("C:\\DMI\\Win32\\Bin\\keelson.exe", launch.program);
    // Missing directories leave the paths incomplete.
    ASSERT_TRUE(ToolLaunchFor(ID_TOOL_STATUS_MONITOR, "", "", launch));
    EXPECT_EQ("\\Bin\\beacon.exe", launch.program);
    EXPECT_FALSE(ToolLaunchFor(ID_PAGE_BODY, "C:\\HELMSET", "C:\\DMI", launch));
}
