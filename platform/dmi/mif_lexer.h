// Splitting a MIF text into tokens.
//
// The text is code page 932 bytes of a given length (it need not end in NUL,
// and a NUL byte outside a string is an error). Tokens:
// - words: a letter or '_' followed by letters, digits, '_' and '-'
//   ("Start", "Read-Only", "direct-interface", "win32");
// - numbers: decimal "123", octal "0177", hexadecimal "0x7F" / "0X7F", each
//   with an optional leading '-'; up to 64 bits of magnitude;
// - strings: "..." with the escapes \a \b \f \n \r \t \v \\ \" \xh[h] and
//   \o[o[o]] (at most 0377); a backslash before any other character is dropped.
//   The second byte of a double-byte character is never read as a backslash
//   or a quote. Literals separated only by blanks and comments are joined into
//   one token. A string must end on the line it starts on;
// - the separators = , { } ( ) *.
// Blanks, tabs, CR, LF and comments ("//" to the end of the line) separate
// tokens. A text that starts with the Unicode mark 0xFE 0xFF is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class MifTokenKind {
    kEnd,  // end of the text
    kWord,
    kNumber,
    kString,
    kEquals,
    kComma,
    kOpenBrace,
    kCloseBrace,
    kOpenParen,
    kCloseParen,
    kStar,
};

struct MifToken {
    MifTokenKind kind = MifTokenKind::kEnd;
    int line = 1;            // where the token starts (1 for the first line)
    std::string text;        // a word as written, or a string's bytes
    uint64_t magnitude = 0;  // a number without its sign
    bool negative = false;   // a number written with '-' (never for 0)
};

// An error found in a MIF text, with the line it was found on.
struct MifParseError {
    int line = 0;
    std::string message;
};

class MifLexer {
public:
    MifLexer(const char* text, size_t length);

    // Reads the next token. False, with *error set, on a malformed token;
    // after the end, keeps returning kEnd.
    bool Next(MifToken* token, MifParseError* error);

private:
    bool AtEnd() const { return pos_ >= length_; }
    unsigned char Peek(size_t ahead = 0) const;
    void SkipBlanksAndComments();
    bool ReadWord(MifToken* token);
    bool ReadNumber(MifToken* token, MifParseError* error);
    bool ReadStrings(MifToken* token, MifParseError* error);
    bool ReadOneString(std::string* out, MifParseError* error);
    void ReadEscape(std::string* out);
    bool Fail(MifParseError* error, int line, const std::string& message);

    const unsigned char* text_;
    size_t length_;
    size_t pos_ = 0;
    int line_ = 1;
};

// Whether two words are equal without regard to ASCII case.
bool SameKeyword(const std::string& word, const char* keyword);

// The byte as text for a message: 'x' when printable, else 0xNN.
std::string DescribeByte(unsigned char c);
