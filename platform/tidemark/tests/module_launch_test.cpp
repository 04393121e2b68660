#include "platform/tidemark/module_launch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/tidemark/tests/section_fixture.h"

using tidemark::BuildModuleCommandLine;

TEST(TidemarkModuleLaunch, TheProgramPathIsQuotedAndTheArgumentsFollow)
{
    char line[64];
    ASSERT_TRUE(BuildModuleCommandLine("C:\\Program Files\\Backup\\b.exe", nullptr, line, sizeof line));
    EXPECT_STREQ("\"C:\\Program Files\\Backup\\b.exe\"", line);
    ASSERT_TRUE(BuildModuleCommandLine("C:\\HELMSET\\Bin\\dormex.exe", "/D c:", line, sizeof line));
    EXPECT_STREQ("\"C:\\HELMSET\\Bin\\dormex.exe\" /D c:", line);
}

TEST(TidemarkModuleLaunch, PathsThatCannotBeQuotedOrDoNotFitAreRefused)
{
    char line[16] = "untouched";
    EXPECT_FALSE(BuildModuleCommandLine(nullptr, nullptr, line, sizeof line));
    EXPECT_STREQ("", line);
    EXPECT_FALSE(BuildModuleCommandLine("C:\\a\"b.exe", nullptr, line, sizeof line));
    // 15 characters and the terminator fit; one more does not.
    EXPECT_TRUE(BuildModuleCommandLine("C:\\abc.exe", "/x", line, sizeof line));
    EXPECT_FALSE(BuildModuleCommandLine("C:\\abc.exe", "/xy", line, sizeof line));
    EXPECT_STREQ("", line);
}

using TidemarkExecuteModule = SectionFixture;

TEST_F(TidemarkExecuteModule, StartsAProgramThatExistsOnly)
{
    char system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(system, sizeof system), 0u);
    const std::string cmd = std::string(system) + "\\cmd.exe";
    EXPECT_NE(0, Acs().ExecuteModule(cmd.c_str(), "/c exit 0"));
    EXPECT_EQ(0, Acs().ExecuteModule((std::string(system) + "\\no-such-program.exe").c_str(), nullptr));
    EXPECT_EQ(0, Acs().ExecuteModule(nullptr, nullptr));
}
