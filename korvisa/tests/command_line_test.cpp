#include <gtest/gtest.h>

#include "korvisa/app/command_line.h"
#include "korvisa/app/splash_text.h"

using korvisa::CommandLine;
using korvisa::ParseCommandLine;
using korvisa::ShellCommand;

TEST(CommandLine, WordsAreExactAndNeedASwitchCharacter)
{
    EXPECT_EQ(ParseCommandLine({}).command, ShellCommand::FileNew);
    EXPECT_TRUE(ParseCommandLine({}).showSplash);

    EXPECT_EQ(ParseCommandLine({"/p"}).command, ShellCommand::FilePrint);
    EXPECT_EQ(ParseCommandLine({"-pt"}).command, ShellCommand::FilePrintTo);
    EXPECT_EQ(ParseCommandLine({"/dde"}).command, ShellCommand::FileDDE);
    EXPECT_EQ(ParseCommandLine({"/R"}).command, ShellCommand::Unregister);
    EXPECT_EQ(ParseCommandLine({"-r"}).command, ShellCommand::Unregister);
    EXPECT_EQ(ParseCommandLine({"/l"}).command, ShellCommand::StartupAction6);

    // Case matters for every other word, and a word without '/' or '-' is
    // never taken (no file name from the command line).
    EXPECT_EQ(ParseCommandLine({"/P"}).command, ShellCommand::FileNew);
    EXPECT_EQ(ParseCommandLine({"/DDE"}).command, ShellCommand::FileNew);
    EXPECT_FALSE(ParseCommandLine({"/embedding"}).embedded);
    EXPECT_EQ(ParseCommandLine({"R"}).command, ShellCommand::FileNew);
    EXPECT_EQ(ParseCommandLine({"report.ina"}).command, ShellCommand::FileNew);
    EXPECT_EQ(ParseCommandLine({"/", "-"}).command, ShellCommand::FileNew);
    EXPECT_EQ(ParseCommandLine({"/Rx"}).command, ShellCommand::FileNew);
}

TEST(CommandLine, SplashIsDroppedByEmbeddingAutomationAndRemoval)
{
    CommandLine embedded = ParseCommandLine({"-Embedding"});
    EXPECT_TRUE(embedded.embedded);
    EXPECT_FALSE(embedded.showSplash);
    EXPECT_EQ(embedded.command, ShellCommand::FileNew);

    CommandLine automated = ParseCommandLine({"/Automation"});
    EXPECT_TRUE(automated.automated);
    EXPECT_FALSE(automated.showSplash);

    EXPECT_FALSE(ParseCommandLine({"/r"}).showSplash);
    // "L" keeps the picture; "R" together with "Embedding" removes silently.
    EXPECT_TRUE(ParseCommandLine({"/L"}).showSplash);
    CommandLine silentRemoval = ParseCommandLine({"/R", "/Embedding"});
    EXPECT_EQ(silentRemoval.command, ShellCommand::Unregister);
    EXPECT_TRUE(silentRemoval.embedded);
    // The last command word wins; flags stay.
    CommandLine mixed = ParseCommandLine({"/Embedding", "/p", "/R", "/l"});
    EXPECT_EQ(mixed.command, ShellCommand::StartupAction6);
    EXPECT_FALSE(mixed.showSplash);
}

TEST(SplashText, NamesAreCutToTwentyFourCharactersNotBytes)
{
    EXPECT_EQ(korvisa::SplashNameLine(false, "ignored"), "--------------");
    EXPECT_EQ(korvisa::SplashNameLine(true, ""), "--------------");
    EXPECT_EQ(korvisa::SplashNameLine(true, "ABC"), "ABC");
    EXPECT_EQ(korvisa::SplashNameLine(true, std::string(30, 'x')), std::string(24, 'x'));

    // 25 double-byte characters: 24 of them (48 bytes) stay whole.
    std::string kanji;
    for (int i = 0; i < 25; ++i)
        kanji += "表";
    std::string line = korvisa::SplashNameLine(true, kanji);
    EXPECT_EQ(line.size(), 48u);
    EXPECT_EQ(line, kanji.substr(0, 48));

    // Half-width katakana are single bytes and single characters.
    std::string mixed = std::string(23, 'A') + "ｶ表示";
    EXPECT_EQ(korvisa::SplashNameLine(true, mixed), std::string(23, 'A') + "ｶ");
}
