#include "platform/dmi/mif_lexer.h"

#include <cstdio>

#include "common/cp932.h"

namespace {

bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

bool IsWordByte(unsigned char c) {
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '-';
}

// The value of a hexadecimal digit, or -1.
int HexValue(unsigned char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Whether c can be the second byte of a double-byte character.
bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// The byte of a one-letter escape such as \n, or 0 when c is no such letter.
char SimpleEscape(unsigned char c) {
    switch (c) {
        case 'a': return '\a';
        case 'b': return '\b';
        case 'f': return '\f';
        case 'n': return '\n';
        case 'r': return '\r';
        case 't': return '\t';
        case 'v': return '\v';
        default: return 0;
    }
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameKeyword(const std::string& word, const char* keyword) {
    size_t i = 0;
    for (; keyword[i] != '\0'; ++i) {
        if (i >= word.size() || LowerAscii(word[i]) != LowerAscii(keyword[i])) {
            return false;
        }
    }
    return i == word.size();
}

std::string DescribeByte(unsigned char c) {
    char text[8];
    if (c > 0x20 && c < 0x7F) {
        std::snprintf(text, sizeof text, "'%c'", c);
    } else {
        std::snprintf(text, sizeof text, "0x%02X", c);
    }
    return text;
}

MifLexer::MifLexer(const char* text, size_t length)
    : text_(reinterpret_cast<const unsigned char*>(text)), length_(text != nullptr ? length : 0) {}

unsigned char MifLexer::Peek(size_t ahead) const {
    return pos_ + ahead < length_ ? text_[pos_ + ahead] : 0;
}

bool MifLexer::Fail(MifParseError* error, int line, const std::string& message) {
    if (error != nullptr) {
        error->line = line;
        error->message = message;
    }
    return false;
}

void MifLexer::SkipBlanksAndComments() {
    while (!AtEnd()) {
        const unsigned char c = Peek();
        if (c == '\n') {
            ++line_;
            ++pos_;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++pos_;
        } else if (c == '/' && Peek(1) == '/') {
            while (!AtEnd() && Peek() != '\n') {
                ++pos_;
            }
        } else {
            return;
        }
    }
}

bool MifLexer::Next(MifToken* token, MifParseError* error) {
    if (pos_ == 0 && length_ >= 2 && text_[0] == 0xFE && text_[1] == 0xFF) {
        return Fail(error, 1, "Unicode MIF files are not supported");
    }
    SkipBlanksAndComments();
    token->line = line_;
    token->text.clear();
    token->magnitude = 0;
    token->negative = false;
    if (AtEnd()) {
        token->kind = MifTokenKind::kEnd;
        return true;
    }
    const unsigned char c = Peek();
    if (IsLetter(c) || c == '_') {
        return ReadWord(token);
    }
    if (IsDigit(c) || (c == '-' && IsDigit(Peek(1)))) {
        return ReadNumber(token, error);
    }
    if (c == '"') {
        return ReadStrings(token, error);
    }
    MifTokenKind kind;
    switch (c) {
        case '=': kind = MifTokenKind::kEquals; break;
        case ',': kind = MifTokenKind::kComma; break;
        case '{': kind = MifTokenKind::kOpenBrace; break;
        case '}': kind = MifTokenKind::kCloseBrace; break;
        case '(': kind = MifTokenKind::kOpenParen; break;
        case ')': kind = MifTokenKind::kCloseParen; break;
        case '*': kind = MifTokenKind::kStar; break;
        default: return Fail(error, line_, "unexpected character " + DescribeByte(c));
    }
    ++pos_;
    token->kind = kind;
    return true;
}

bool MifLexer::ReadWord(MifToken* token) {
    const size_t start = pos_;
    while (!AtEnd() && IsWordByte(Peek())) {
        ++pos_;
    }
    token->kind = MifTokenKind::kWord;
    token->text.assign(reinterpret_cast<const char*>(text_ + start), pos_ - start);
    return true;
}

bool MifLexer::ReadNumber(MifToken* token, MifParseError* error) {
    const size_t start = pos_;
    bool negative = false;
    if (Peek() == '-') {
        negative = true;
        ++pos_;
    }
    unsigned base = 10;
    if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
        base = 16;
        pos_ += 2;
        if (HexValue(Peek()) < 0) {
            return Fail(error, line_, "hexadecimal number without digits");
        }
    } else if (Peek() == '0') {
        base = 8;
    }
    uint64_t value = 0;
    while (!AtEnd()) {
        const unsigned char c = Peek();
        int digit = HexValue(c);
        if (digit < 0 || (base == 10 && !IsDigit(c)) || (base == 8 && !IsDigit(c))) {
            break;
        }
        if (static_cast<unsigned>(digit) >= base) {
            return Fail(error, line_,
                        std::string("digit ") + static_cast<char>(c) +
                            " in an octal number (it starts with 0)");
        }
        if (value > (UINT64_MAX - static_cast<unsigned>(digit)) / base) {
            return Fail(error, line_, "number too large");
        }
        value = value * base + static_cast<unsigned>(digit);
        ++pos_;
    }
    if (!AtEnd() && IsWordByte(Peek())) {
        while (!AtEnd() && IsWordByte(Peek())) {
            ++pos_;
        }
        return Fail(error, line_,
                    "malformed number '" +
                        std::string(reinterpret_cast<const char*>(text_ + start), pos_ - start) +
                        "'");
    }
    token->kind = MifTokenKind::kNumber;
    token->magnitude = value;
    token->negative = negative && value != 0;
    return true;
}

bool MifLexer::ReadStrings(MifToken* token, MifParseError* error) {
    token->kind = MifTokenKind::kString;
    if (!ReadOneString(&token->text, error)) {
        return false;
    }
    for (;;) {
        SkipBlanksAndComments();
        if (Peek() != '"' || AtEnd()) {
            return true;
        }
        if (!ReadOneString(&token->text, error)) {
            return false;
        }
    }
}

bool MifLexer::ReadOneString(std::string* out, MifParseError* error) {
    const int startLine = line_;
    ++pos_;  // the opening quote
    for (;;) {
        if (AtEnd() || Peek() == '\n') {
            return Fail(error, startLine, "unterminated string (a string must end on its line)");
        }
        const unsigned char c = Peek();
        if (c == '"') {
            ++pos_;
            return true;
        }
        if (c == '\\') {
            ++pos_;
            ReadEscape(out);
        } else if (cp932::IsLeadByte(c) && pos_ + 1 < length_ && IsTrailByte(Peek(1))) {
            out->push_back(static_cast<char>(c));
            out->push_back(static_cast<char>(Peek(1)));
            pos_ += 2;
        } else {
            out->push_back(static_cast<char>(c));
            ++pos_;
        }
    }
}

// Reads what follows a backslash. The end of the text and a line end are left
// for the caller, which reports the string as unterminated.
void MifLexer::ReadEscape(std::string* out) {
    if (AtEnd() || Peek() == '\n') {
        return;
    }
    const unsigned char c = Peek();
    const char simple = SimpleEscape(c);
    if (simple != 0) {
        out->push_back(simple);
        ++pos_;
        return;
    }
    if (c == 'x' && HexValue(Peek(1)) >= 0) {
        ++pos_;
        unsigned value = 0;
        for (int i = 0; i < 2 && HexValue(Peek()) >= 0 && !AtEnd(); ++i) {
            value = value * 16 + static_cast<unsigned>(HexValue(Peek()));
            ++pos_;
        }
        out->push_back(static_cast<char>(value));
        return;
    }
    if (c >= '0' && c <= '7') {
        unsigned value = 0;
        for (int i = 0; i < 3 && !AtEnd() && Peek() >= '0' && Peek() <= '7'; ++i) {
            const unsigned next = value * 8 + (Peek() - '0');
            if (next > 0377) {
                break;
            }
            value = next;
            ++pos_;
        }
        out->push_back(static_cast<char>(value));
        return;
    }
    // Any other character stands for itself (\\ and \" among them); a
    // double-byte character after the backslash is taken whole.
    if (cp932::IsLeadByte(c) && pos_ + 1 < length_ && IsTrailByte(Peek(1))) {
        out->push_back(static_cast<char>(c));
        out->push_back(static_cast<char>(Peek(1)));
        pos_ += 2;
        return;
    }
    out->push_back(static_cast<char>(c));
    ++pos_;
}
