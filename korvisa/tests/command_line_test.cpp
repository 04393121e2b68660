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

TEST(SplashText, NamesAreCutToTwentyFourBytesWithoutSplittingACharacter)
{
    EXPECT_EQ(korvisa::SplashNameLine(false, "ignored"), "--------------");
    EXPECT_EQ(korvisa::SplashNameLine(true, ""), "--------------");
    EXPECT_EQ(korvisa::SplashNameLine(true, "ABC"), "ABC");
    EXPECT_EQ(korvisa::SplashNameLine(true, std::string(30, 'x')), std::string(24, 'x'));
    EXPECT_EQ(korvisa::SplashNameLine(true, std::string(24, 'x')), std::string(24, 'x'));

    // 25 double-byte characters: the first 12 fill the 24 bytes.
    std::string kanji;
    for (int i = 0; i < 25; ++i)
        kanji += "表";
    EXPECT_EQ(korvisa::SplashNameLine(true, kanji), kanji.substr(0, 24));

    // A double-byte character across byte 24 is left out whole; half-width
    // katakana are single bytes.
    std::string odd = std::string(23, 'A') + "表示";
    EXPECT_EQ(korvisa::SplashNameLine(true, odd), std::string(23, 'A'));
    std::string katakana = std::string(22, 'A') + "ｶﾅ表";
    EXPECT_EQ(korvisa::SplashNameLine(true, katakana), std::string(22, 'A') + "ｶﾅ");
}
