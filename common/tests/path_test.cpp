#include "common/path.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Path, JoinPutsExactlyOneBackslash) {
    const char* dirs[] = {"C:\\HELMSET", "C:\\HELMSET\\"};
    const char* tails[] = {"BIN\\HELMSET.INI", "\\BIN\\HELMSET.INI"};
    char out[64];
    for (const char* dir : dirs) {
        for (const char* tail : tails) {
            EXPECT_TRUE(path::JoinPath(out, sizeof out, dir, tail));
            EXPECT_STREQ("C:\\HELMSET\\BIN\\HELMSET.INI", out) << dir << " + " << tail;
        }
    }
    // 表 ends in 0x5C, which is not a separator.
    EXPECT_TRUE(path::JoinPath(out, sizeof out, "C:\\表", "BIN"));
    EXPECT_STREQ("C:\\表\\BIN", out);
    EXPECT_TRUE(path::JoinPath(out, sizeof out, "", "\\BIN"));
    EXPECT_STREQ("\\BIN", out);

    // A directory ending in half a character would swallow the backslash.
    EXPECT_FALSE(path::JoinPath(out, sizeof out, "C:\\\x95", "BIN"));
    EXPECT_STREQ("", out);
}

TEST(Path, JoinFitsExactlyOrLeavesEmpty) {
    const size_t needed = std::strlen("C:\\表\\BIN") + 1;
    char out[16];
    std::memset(out, '#', sizeof out);
    EXPECT_TRUE(path::JoinPath(out, needed, "C:\\表", "\\BIN"));
    EXPECT_STREQ("C:\\表\\BIN", out);
    std::memset(out, '#', sizeof out);
    EXPECT_FALSE(path::JoinPath(out, needed - 1, "C:\\表", "\\BIN"));
    EXPECT_EQ('\0', out[0]);
    EXPECT_EQ('#', out[needed - 2]);
    EXPECT_FALSE(path::JoinPath(out, 0, "C:", "X"));

    char inPlace[16] = "C:\\DMI\\";
    EXPECT_TRUE(path::JoinPath(inPlace, sizeof inPlace, inPlace, "\\BIN"));
    EXPECT_STREQ("C:\\DMI\\BIN", inPlace);
}

TEST(Path, ReplaceExtensionOfTheFileNameOnly) {
    char out[64];
    EXPECT_TRUE(path::ReplaceExtension(out, sizeof out, "C:\\HELMSET\\BIN\\KORVISA.EXE", ".HLP"));
    EXPECT_STREQ("C:\\HELMSET\\BIN\\KORVISA.HLP", out);
    EXPECT_TRUE(path::ReplaceExtension(out, sizeof out, "C:\\A.B\\NAME", ".HLP"));
    EXPECT_STREQ("C:\\A.B\\NAME.HLP", out);
    // The 0x5C of 表 after the point must not be taken for a separator.
    EXPECT_TRUE(path::ReplaceExtension(out, sizeof out, "C:\\A\\B.表C", ".HLP"));
    EXPECT_STREQ("C:\\A\\B.HLP", out);
}

TEST(Path, DirectoryOf) {
    char out[32];
    EXPECT_TRUE(path::DirectoryOf(out, sizeof out, "C:\\HELMSET\\BIN\\KORVISA.EXE"));
    EXPECT_STREQ("C:\\HELMSET\\BIN", out);
    EXPECT_TRUE(path::DirectoryOf(out, sizeof out, "C:\\HELMSET\\ソフト"));
    EXPECT_STREQ("C:\\HELMSET", out);
    EXPECT_TRUE(path::DirectoryOf(out, sizeof out, "C:\\KORVISA.EXE"));
    EXPECT_STREQ("C:\\", out);
    EXPECT_FALSE(path::DirectoryOf(out, sizeof out, "ソ"));
    EXPECT_STREQ("", out);
}

}  // namespace
