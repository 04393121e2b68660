#include "platform/dmi/mif_lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// All tokens of text; stops at the first error, which *error then holds.
std::vector<MifToken> Tokens(const std::string& text, MifParseError* error = nullptr) {
    MifLexer lexer(text.data(), text.size());
    std::vector<MifToken> tokens;
    MifParseError ignored;
    for (;;) {
        MifToken token;
        if (!lexer.Next(&token, error != nullptr ? error : &ignored)) {
            return tokens;
        }
        if (token.kind == MifTokenKind::kEnd) {
            return tokens;
        }
        tokens.push_back(token);
    }
}

// The bytes of a single string token, or "<error: message>".
std::string StringOf(const std::string& text) {
    MifParseError error;
    const std::vector<MifToken> tokens = Tokens(text, &error);
    if (!error.message.empty()) {
        return "<error: " + error.message + ">";
    }
    if (tokens.size() != 1 || tokens[0].kind != MifTokenKind::kString) {
        return "<not one string>";
    }
    return tokens[0].text;
}

TEST(MifLexer, SplitsWordsNumbersAndSeparatorsWithLines) {
    const std::vector<MifToken> tokens = Tokens(
        "Access = Read-Only // comment with 表 and \"quote\n"
        "Key = 1, 0x1F,017 -9 0\r\n"
        "{ } ( ) * direct-interface win32");
    const MifTokenKind kinds[] = {
        MifTokenKind::kWord,       MifTokenKind::kEquals,     MifTokenKind::kWord,
        MifTokenKind::kWord,       MifTokenKind::kEquals,     MifTokenKind::kNumber,
        MifTokenKind::kComma,      MifTokenKind::kNumber,     MifTokenKind::kComma,
        MifTokenKind::kNumber,     MifTokenKind::kNumber,     MifTokenKind::kNumber,
        MifTokenKind::kOpenBrace,  MifTokenKind::kCloseBrace, MifTokenKind::kOpenParen,
        MifTokenKind::kCloseParen, MifTokenKind::kStar,       MifTokenKind::kWord,
        MifTokenKind::kWord,
    };
    ASSERT_EQ(sizeof kinds / sizeof kinds[0], tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i) {
        EXPECT_EQ(kinds[i], tokens[i].kind) << i;
    }
    EXPECT_EQ("Read-Only", tokens[2].text);
    EXPECT_EQ(2, tokens[3].line);
    EXPECT_EQ(1u, tokens[5].magnitude);
    EXPECT_EQ(31u, tokens[7].magnitude);
    EXPECT_EQ(15u, tokens[9].magnitude);
    EXPECT_EQ(9u, tokens[10].magnitude);
    EXPECT_TRUE(tokens[10].negative);
    EXPECT_FALSE(tokens[11].negative);
    EXPECT_EQ(3, tokens[12].line);
    EXPECT_EQ("direct-interface", tokens[17].text);
    EXPECT_TRUE(SameKeyword("READ-only", "read-only"));
    EXPECT_FALSE(SameKeyword("read", "read-only"));
}

TEST(MifLexer, StringEscapesAndJoinedLiterals) {
    struct Case {
        const char* text;
        std::string bytes;
    };
    const Case cases[] = {
        {R"("a" "b")", "ab"},
        {"\"a\" // between\n\t\"b\"", "ab"},
        {R"("C:\\DMI\\BIN")", "C:\\DMI\\BIN"},
        {R"("say \"hi\"")", "say \"hi\""},
        {R"("\a\b\f\n\r\t\v")", "\a\b\f\n\r\t\v"},
        {R"("\x41\x4a\x7")", "AJ\x07"},
        {R"("\x4G")", "\x04G"},
        {R"("\101\60\0")", std::string("A0\0", 3)},
        {R"("\400")", " 0"},  // \40 then '0': an octal escape stops below 0400
        {R"("\q\x")", "qx"},  // an unknown escape is dropped
        {R"("")", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.bytes, StringOf(c.text)) << c.text;
    }
}

TEST(MifLexer, DoubleByteCharactersAreKeptWhole) {
    // 表 is 95 5C and ソ is 83 5C: their second byte must not escape the quote.
    EXPECT_EQ("表", StringOf("\"表\""));
    EXPECT_EQ("ソフト表示", StringOf("\"ソフト\" \"表示\""));
    const std::vector<MifToken> tokens = Tokens("Name = \"表\" ID = 1");
    ASSERT_EQ(6u, tokens.size());
    EXPECT_EQ("ID", tokens[3].text);
    // A backslash before a double-byte character is dropped, the character kept.
    EXPECT_EQ("表", StringOf("\"\\表\""));
    // Half-width katakana are single bytes; a lead byte before the quote is
    // a broken character that does not swallow the quote.
    EXPECT_EQ("ｶﾅ", StringOf("\"ｶﾅ\""));
    EXPECT_EQ("\x82", StringOf("\"\x82\""));
}

TEST(MifLexer, MalformedInputGivesAnErrorAndItsLine) {
    struct Case {
        std::string text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"Name = \"never closed", 1, "unterminated string"},
        {"\n\nName = \"runs into\nthe next line\"", 3, "unterminated string"},
        {"Name = \"ends in a backslash\\", 1, "unterminated string"},
        {"Name = \"ends in half a character\x95", 1, "unterminated string"},
        {"\nID = 09", 2, "octal"},
        {"ID = 0x", 1, "hexadecimal"},
        {"ID = 12ab", 1, "malformed number"},
        {"ID = 18446744073709551616", 1, "too large"},
        {"a\n\nb @", 3, "'@'"},
        {"Name / \"x\"", 1, "'/'"},
        {"\x95\x5C", 1, "0x95"},
        {std::string("ID\0= 1", 6), 1, "0x00"},
        {"\xFE\xFFStart", 1, "Unicode"},
    };
    for (const Case& c : cases) {
        MifParseError error;
        Tokens(c.text, &error);
        EXPECT_EQ(c.line, error.line) << c.text;
        EXPECT_NE(std::string::npos, error.message.find(c.message))
            << c.text << ": " << error.message;
    }
    // The largest 64-bit number still fits.
    const std::vector<MifToken> tokens = Tokens("18446744073709551615 0xFFFFFFFFFFFFFFFF");
    ASSERT_EQ(2u, tokens.size());
    EXPECT_EQ(UINT64_MAX, tokens[0].magnitude);
    EXPECT_EQ(UINT64_MAX, tokens[1].magnitude);
}

}  // namespace
