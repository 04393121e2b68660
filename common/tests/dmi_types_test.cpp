#include "common/dmi_types.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

uint32_t LengthField(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

TEST(DmiTypes, TypeCodesAndTheirValueSizes) {
    // Codes 4, 9 and 10 lie between the known ones and are not types.
    const struct { uint32_t type; bool known; size_t size; } types[] = {
        {0, false, 0}, {1, true, 4},  {2, true, 8},  {3, true, 4},   {4, false, 0},  {5, true, 4},
        {6, true, 8},  {7, true, 0},  {8, true, 0},  {9, false, 0},  {10, false, 0}, {11, true, 28},
        {12, false, 0}, {0xFFFFFFFFu, false, 0},
    };
    for (const auto& t : types) {
        EXPECT_EQ(t.known, dmi::IsKnownType(t.type)) << t.type;
        EXPECT_EQ(t.size, dmi::FixedValueSize(t.type)) << t.type;
    }
}

TEST(DmiTypes, DisplayStringIsCutToTheBuffer) {
    const char text[] = "A表示";  // 41 95 5C 8E A6
    const size_t kept[] = {0, 1, 1, 3, 3, 5};  // by room for characters, 0 to 5
    unsigned char buffer[16];
    for (size_t size = 0; size <= 10; ++size) {
        std::memset(buffer, 0xEE, sizeof buffer);
        bool cut = false;
        const size_t used = dmi::WriteDisplayString(buffer, size, text, &cut);
        for (size_t i = size; i < sizeof buffer; ++i) {
            ASSERT_EQ(0xEE, buffer[i]) << size;
        }
        if (size < 4) {
            EXPECT_EQ(0u, used);
            EXPECT_TRUE(cut);
            continue;
        }
        const size_t expected = kept[size - 4 < 5 ? size - 4 : 5];
        EXPECT_EQ(4 + expected, used) << size;
        EXPECT_EQ(expected, LengthField(buffer)) << size;
        EXPECT_EQ(expected < 5, cut) << size;
        char back[16];
        ASSERT_TRUE(dmi::ReadDisplayString(buffer, used, back, sizeof back));
        EXPECT_EQ(std::string(text, expected), back);
    }
}

TEST(DmiTypes, DisplayStringWithALyingLengthIsRefused) {
    unsigned char value[12] = {5, 0, 0, 0, 'H', 'E', 'L', 'M', 'S', 0xEE, 0xEE, 0xEE};
    char out[16] = "old";
    uint32_t length = 0;
    EXPECT_TRUE(dmi::ReadDisplayStringLength(value, 9, &length));
    EXPECT_EQ(5u, length);
    EXPECT_TRUE(dmi::ReadDisplayString(value, 9, out, sizeof out));
    EXPECT_STREQ("HELMS", out);

    EXPECT_FALSE(dmi::ReadDisplayString(value, 8, out, sizeof out));
    EXPECT_STREQ("", out);
    EXPECT_FALSE(dmi::ReadDisplayString(value, 3, out, sizeof out));
    std::memset(value, 0xFF, 4);  // 0xFFFFFFFF: wraps a careless 32-bit bound check
    EXPECT_FALSE(dmi::ReadDisplayString(value, sizeof value, out, sizeof out));

    const unsigned char empty[4] = {0, 0, 0, 0};
    std::strcpy(out, "old");
    EXPECT_TRUE(dmi::ReadDisplayString(empty, sizeof empty, out, sizeof out));
    EXPECT_STREQ("", out);

    // Into a small buffer: cut before the double-byte character.
    const unsigned char kanji[] = {3, 0, 0, 0, 'X', 0x95, 0x5C};
    bool cut = false;
    EXPECT_TRUE(dmi::ReadDisplayString(kanji, sizeof kanji, out, 3, &cut));
    EXPECT_TRUE(cut);
    EXPECT_STREQ("X", out);
}

TEST(DmiTypes, DateValidation) {
    const struct { const char* text; bool valid; } cases[] = {
        {"20000229235959.999999+540", true},   // 2000 is a leap year
        {"20040229000000.000000-300", true},
        {"19000229000000.000000+000", false},  // 1900 is not
        {"20010229000000.000000+000", false},
        {"20010431000000.000000+000", false},
        {"20011231000000.000000+***", true},   // unknown offset
        {"20011301000000.000000+000", false},  // month 13
        {"20010001000000.000000+000", false},
        {"20010100000000.000000+000", false},
        {"20010101240000.000000+000", false},
        {"20010101006000.000000+000", false},
        {"20010101000060.000000+000", false},  // no leap second
        {"20010101000000.000000*000", false},  // bad sign
        {"20010101000000,000000+000", false},
        {"2001010100000 .000000+000", false},
        {"20010101000000.00000a+000", false},
        {"20010101000000.000000+*00", false},
        {"00000000000000.000000+000", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.valid, dmi::IsValidDate(c.text, std::strlen(c.text))) << c.text;
    }
    EXPECT_FALSE(dmi::IsValidDate("20000229235959.999999+54", 24));
}

TEST(DmiTypes, DateBuildsAndParsesBack) {
    dmi::DateFields fields;
    fields.year = 2002;
    fields.month = 1;
    fields.day = 15;
    fields.second = 5;
    fields.microsecond = 123000;
    fields.offsetMinutes = -540;
    char field[dmi::kDateFieldSize + 1];
    std::memset(field, '#', sizeof field);
    ASSERT_TRUE(dmi::BuildDate(fields, field, dmi::kDateFieldSize));
    EXPECT_EQ(0, std::memcmp("20020115000005.123000-540\0\0\0#", field, sizeof field));
    dmi::DateFields parsed;
    ASSERT_TRUE(dmi::ParseDate(field, dmi::kDateFieldSize, &parsed));
    EXPECT_EQ(fields.day, parsed.day);
    EXPECT_EQ(fields.offsetMinutes, parsed.offsetMinutes);

    fields.offsetKnown = false;
    ASSERT_TRUE(dmi::BuildDate(fields, field, sizeof field));
    EXPECT_STREQ("20020115000005.123000+***", field);

    // Out of range, or no room for the whole field: zeros, and nothing past the room.
    fields.month = 2;
    fields.day = 29;
    EXPECT_FALSE(dmi::BuildDate(fields, field, sizeof field));
    EXPECT_EQ(std::string(dmi::kDateFieldSize, '\0'), std::string(field, dmi::kDateFieldSize));
    fields.day = 28;
    std::memset(field, '#', sizeof field);
    EXPECT_FALSE(dmi::BuildDate(fields, field, dmi::kDateFieldSize - 1));
    EXPECT_EQ('\0', field[0]);
    EXPECT_EQ('#', field[dmi::kDateFieldSize - 1]);
}

}  // namespace
