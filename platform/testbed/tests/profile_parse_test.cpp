#include "platform/testbed/profile_parse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char kMissing[] = "<missing>";

std::string Get(const std::string& text, const char* section, const char* key,
                unsigned outSize = 64)
{
    char out[64];
    if (!testbed_get_string(text.data(), static_cast<unsigned>(text.size()), section, key, out,
                            outSize))
        return kMissing;
    return out;
}

}  // namespace

TEST(ProfileParse, ReadsLinesBlanksCommentsAndSections)
{
    const std::string text =
        "# Maker=commented out\n"
        "Top=before any section\r\n"
        "[Machine]\r\n"
        "  Maker =  Nagareboshi Works  \r\n"
        "Empty=\r\n"
        "NoEquals\r\n"
        "Path = C:\\a;b # not a comment\r\n"
        "[MachineX]\n"
        "Model=X\n"
        "[Mach]\n"
        "Kind=short\n"
        "[Machine\n"
        "Serial=under a broken header\n"
        "[ machine ]  text after the bracket\n"
        "Maker=second\n"
        "Version=2";
    EXPECT_EQ(Get(text, "MACHINE", "maker"), "Nagareboshi Works");  // the first one wins
    EXPECT_EQ(Get(text, "Machine", "Empty"), "");
    EXPECT_EQ(Get(text, "Machine", "NoEquals"), kMissing);
    EXPECT_EQ(Get(text, "Machine", "Path"), "C:\\a;b # not a comment");
    EXPECT_EQ(Get(text, "Machine", "Top"), kMissing);
    EXPECT_EQ(Get(text, "Machine", "Model"), kMissing);
    EXPECT_EQ(Get(text, "MachineX", "Model"), "X");
    EXPECT_EQ(Get(text, "Machine", "Kind"), kMissing);
    EXPECT_EQ(Get(text, "Machine", "Serial"), kMissing);
    EXPECT_EQ(Get(text, "Machine", "Version"), "2");  // last line, no line end
}

TEST(ProfileParse, DoubleByteTextIsNeverSplitOrFolded)
{
    // ア (83 41) and ヂ (83 61) differ only in what looks like ASCII case;
    // ゾ (83 5D) ends with a ']'.
    const std::string text = "[ア]\nキー=a\n[ゾーン]\nキー=zone\nWide=アイウ\nLone=A\x83\n";
    EXPECT_EQ(Get(text, "ア", "キー"), "a");
    EXPECT_EQ(Get(text, "ヂ", "キー"), kMissing);
    EXPECT_EQ(Get(text, "ゾーン", "キー"), "zone");

    EXPECT_EQ(Get(text, "ゾーン", "Wide", 7), "アイウ");
    EXPECT_EQ(Get(text, "ゾーン", "Wide", 6), "アイ");
    EXPECT_EQ(Get(text, "ゾーン", "Wide", 2), "");
    EXPECT_EQ(Get(text, "ゾーン", "Lone", 3), "A\x83");  // a lead byte at the end stands alone
    char untouched = 'x';
    testbed_get_string(text.data(), static_cast<unsigned>(text.size()), "ア", "キー", &untouched, 0);
    EXPECT_EQ(untouched, 'x');
}

TEST(ProfileParse, ReadsNoFurtherThanTheLengthOrANul)
{
    // The bytes after the given length are not NUL, as in a file read into a
    // larger buffer.
    const char buffer[] = "[A]\nKey=12345\nMore=1\n";
    EXPECT_EQ(Get(std::string(buffer, 10), "A", "Key"), "12");
    long number = 0;
    EXPECT_TRUE(testbed_get_int(buffer, 10, "A", "Key", &number));
    EXPECT_EQ(number, 12);
    EXPECT_FALSE(testbed_get_int(buffer, 10, "A", "More", &number));

    const char withNul[] = "[A]\nKey=1\0\nNext=2\n";
    EXPECT_EQ(Get(std::string(withNul, sizeof withNul - 1), "A", "Next"), kMissing);
}

TEST(ProfileParse, ReadsNumbersAndSwitchesAndRefusesTheRest)
{
    static_assert(sizeof(long) == 4, "the limits below are those of a 32-bit long");
    const struct {
        const char* text;
        long value;
    } good[] = {{"-42", -42}, {"+7", 7},       {"007", 7},  {"0XfF", 255}, {"-0x10", -16},
                {"2147483647", 2147483647L},   {"-2147483648", -2147483647L - 1}};
    for (const auto& c : good) {
        long value = 12345;
        EXPECT_TRUE(testbed_parse_int(c.text, static_cast<unsigned>(std::strlen(c.text)), &value))
            << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    for (const char* bad : {"", "2147483648", "-2147483649", "0x80000000", "12a", "0x", "-",
                            "1 2", "0x1G", "+-1", "99999999999999999999"}) {
        long value = 12345;
        EXPECT_FALSE(testbed_parse_int(bad, static_cast<unsigned>(std::strlen(bad)), &value)) << bad;
        EXPECT_EQ(value, 12345) << bad;
    }
    unsigned long word = 0;
    EXPECT_TRUE(testbed_parse_uint("0x80002024", 10, &word));
    EXPECT_EQ(word, 0x80002024UL);
    EXPECT_FALSE(testbed_parse_uint("4294967296", 10, &word));
    EXPECT_FALSE(testbed_parse_uint("-1", 2, &word));

    const std::string text = "[S]\nA = TRUE \nB=Off\nC=onn\n";
    const unsigned n = static_cast<unsigned>(text.size());
    int a = -1, b = -1, c = -1;
    EXPECT_TRUE(testbed_get_bool(text.data(), n, "S", "A", &a));
    EXPECT_TRUE(testbed_get_bool(text.data(), n, "S", "B", &b));
    EXPECT_FALSE(testbed_get_bool(text.data(), n, "S", "C", &c));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 0);
}

TEST(ProfileParse, SplitsListsAndBuildsNumberedKeys)
{
    const std::string list = " 9 , 0x80002024,, All ,";
    std::string items;
    unsigned start = 0, length = 0;
    for (unsigned i = 0; testbed_list_item(list.data(), static_cast<unsigned>(list.size()), i,
                                           &start, &length); i++)
        items += "[" + list.substr(start, length) + "]";
    EXPECT_EQ(items, "[9][0x80002024][All]");

    char key[9];
    EXPECT_TRUE(testbed_numbered_key("Device", 12, key, sizeof key));
    EXPECT_STREQ(key, "Device12");
    EXPECT_FALSE(testbed_numbered_key("Device", 123, key, sizeof key));
    EXPECT_STREQ(key, "");
}
