#include "common/cp932.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// "A", "あ" (82 A0), "表" (95 5C), half-width "ｱ" (B1), "B": characters start
// at bytes 0, 1, 3, 5, 6 and the text ends at 7.
const char kMixed[] = "Aあ表ｱB";
const size_t kBoundaries[] = {0, 1, 3, 5, 6, 7};

size_t LastBoundaryWithin(size_t maxBytes) {
    size_t best = 0;
    for (size_t b : kBoundaries) {
        if (b <= maxBytes) best = b;
    }
    return best;
}

TEST(Cp932, SourceLiteralsBecomeCodePage932) {
    EXPECT_EQ(std::string("\x41\x82\xA0\x95\x5C\xB1\x42"), kMixed);
}

TEST(Cp932, PrefixesStopOnCharacterBoundaries) {
    for (size_t maxBytes = 0; maxBytes <= 9; ++maxBytes) {
        EXPECT_EQ(LastBoundaryWithin(maxBytes), cp932::PrefixBytesWithin(kMixed, maxBytes))
            << "maxBytes " << maxBytes;
    }
    for (size_t chars = 0; chars <= 5; ++chars) {
        EXPECT_EQ(kBoundaries[chars], cp932::PrefixBytesForChars(kMixed, chars)) << chars;
    }
    EXPECT_EQ(7u, cp932::PrefixBytesForChars(kMixed, 99));
    EXPECT_EQ(5u, cp932::CharCount(kMixed));
    EXPECT_EQ(6u, cp932::CharCount("ｼｽﾃﾑﾋﾞ"));
}

TEST(Cp932, ByteRangesAtTheirEdges) {
    // Lead bytes are 81-9F and E0-FC; 80, A0, the half-width katakana A1-DF
    // and FD-FF stand alone.
    const struct { unsigned char byte; bool lead; } bytes[] = {
        {0x7F, false}, {0x80, false}, {0x81, true},  {0x9F, true},  {0xA0, false},
        {0xA1, false}, {0xDF, false}, {0xE0, true},  {0xFC, true},  {0xFD, false},
    };
    for (const auto& b : bytes) {
        EXPECT_EQ(b.lead, cp932::IsLeadByte(b.byte)) << std::hex << int(b.byte);
        const char text[] = {static_cast<char>(b.byte), '\x40', 'a', '\0'};
        EXPECT_EQ(b.lead ? 2u : 3u, cp932::CharCount(text)) << std::hex << int(b.byte);
    }
    // Second bytes at the edges of both ranges, 40-7E and 80-FC, stay with
    // their lead: a cut before them drops the whole character, and one that
    // is a lower-case letter is not upper-cased.
    for (unsigned char second : {0x40, 0x5C, 0x61, 0x7A, 0x7E, 0x80, 0xA1, 0xDF, 0xFC}) {
        const char text[] = {'a', '\x81', static_cast<char>(second), 'b', '\0'};
        EXPECT_EQ(3u, cp932::CharCount(text)) << std::hex << int(second);
        EXPECT_EQ(1u, cp932::PrefixBytesWithin(text, 2)) << std::hex << int(second);
        EXPECT_EQ(3u, cp932::PrefixBytesForChars(text, 2)) << std::hex << int(second);
        char upper[sizeof text];
        std::memcpy(upper, text, sizeof text);
        cp932::UpperAscii(upper);
        EXPECT_EQ(std::string({'A', '\x81', static_cast<char>(second), 'B'}), upper) << std::hex << int(second);
    }
    // Half-width katakana are single characters: "｡ﾟｰ" is A1 DF B0.
    EXPECT_EQ(3u, cp932::CharCount("\xA1\xDF\xB0"));
    char cut[3];
    EXPECT_EQ(2u, cp932::CopyBounded(cut, sizeof cut, "\xA1\xDF\xB0"));
    EXPECT_STREQ("\xA1\xDF", cut);
}

TEST(Cp932, LeadByteAtEndIsOneByteAndNothingPastTheEndIsRead) {
    EXPECT_EQ(2u, cp932::PrefixBytesWithin("A\x82", 2));
    EXPECT_EQ(2u, cp932::CharCount("A\x82"));
    EXPECT_FALSE(cp932::EndsWithLoneLeadByte("A\x82\xA0"));
    EXPECT_TRUE(cp932::EndsWithLoneLeadByte("A\x82"));

    // The byte after a 3-byte text is a valid second byte; it must not be taken.
    const char bytes[] = "AB\x82\xA0";
    EXPECT_EQ(3u, cp932::PrefixBytes(bytes, 3, cp932::kUnlimited, cp932::kUnlimited));
    char out[8];
    bool cut = true;
    EXPECT_EQ(3u, cp932::CopyBoundedN(out, sizeof out, bytes, 3, &cut));
    EXPECT_FALSE(cut);
    EXPECT_STREQ("AB\x82", out);
}

TEST(Cp932, UpperAsciiLeavesDoubleByteCharactersAlone) {
    // ヂ is 83 61 and テ is 83 65: second bytes 'a' and 'e'.
    char text[] = "abヂｱzテ\x83";
    cp932::UpperAscii(text);
    EXPECT_STREQ("ABヂｱZテ\x83", text);

    char bounded[] = "abc";
    cp932::UpperAscii(bounded, 2);
    EXPECT_STREQ("ABc", bounded);
}

TEST(Cp932, CopyCutsAtTheBufferWithoutSplitting) {
    char buffer[10];
    bool cut = false;
    for (size_t size = 0; size <= 9; ++size) {
        std::memset(buffer, '#', sizeof buffer);
        const size_t copied = cp932::CopyBounded(buffer, size, kMixed, &cut);
        const size_t expected = size == 0 ? 0 : LastBoundaryWithin(size - 1);
        EXPECT_EQ(expected, copied) << "size " << size;
        EXPECT_EQ(expected < 7, cut) << "size " << size;
        if (size > 0) {
            EXPECT_EQ(std::string(kMixed, expected), buffer) << "size " << size;
        }
        for (size_t i = size; i < sizeof buffer; ++i) {
            ASSERT_EQ('#', buffer[i]) << size;
        }
    }

    char chars[16];
    EXPECT_EQ(3u, cp932::CutToChars(chars, sizeof chars, kMixed, 2, &cut));
    EXPECT_TRUE(cut);
    EXPECT_STREQ("Aあ", chars);
    EXPECT_EQ(1u, cp932::CutToChars(chars, 3, kMixed, 4, &cut));
    EXPECT_STREQ("A", chars);
}

TEST(Cp932, CopyMayWorkInPlace) {
    char text[] = "あいうえお";
    EXPECT_EQ(4u, cp932::CopyBounded(text, 5, text));
    EXPECT_STREQ("あい", text);
}

TEST(Cp932, FormatDropsHalfACharacterWhenCut) {
    char buffer[8];
    EXPECT_EQ(7, cp932::FormatBounded(buffer, sizeof buffer, "%s%d", "表ｱ", 1234));
    EXPECT_STREQ("表ｱ1234", buffer);

    // "12" then "表示": a 6-byte buffer holds 5 bytes, the fifth being 示's lead.
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(-1, cp932::FormatBounded(buffer, 6, "%d%s", 12, "表示"));
    EXPECT_STREQ("12表", buffer);
    EXPECT_EQ('#', buffer[6]);

    EXPECT_EQ(-1, cp932::FormatBounded(buffer, 4, "%s", "ｼｽﾃﾑ"));
    EXPECT_STREQ("ｼｽﾃ", buffer);
    EXPECT_EQ(-1, cp932::FormatBounded(buffer, 1, "%s", "x"));
    EXPECT_STREQ("", buffer);
}

TEST(Cp932, BackslashesAreNotSecondBytes) {
    // 表, 予 and ソ end in 0x5C.
    const char path[] = "C:\\HELMSET\\表予ソ";
    EXPECT_EQ(path + 10, cp932::FindLastBackslash(path));
    EXPECT_FALSE(cp932::EndsWithBackslash(path));
    EXPECT_TRUE(cp932::EndsWithBackslash("C:\\表\\"));
    EXPECT_EQ(nullptr, cp932::FindLastBackslash("表"));
    EXPECT_FALSE(cp932::EndsWithBackslash(""));
}

}  // namespace
