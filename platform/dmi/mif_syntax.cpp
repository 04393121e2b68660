#include "platform/dmi/mif_syntax.h"

#include <set>
#include <string>
#include <vector>

namespace {

// Environments a path block may name.
const char* const kEnvironments[] = {"dos",   "macos", "os2",   "unix",
                                     "win16", "win32", "win9x", "winnt"};

std::string Lower(const std::string& word) {
    std::string out = word;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

std::string Describe(const MifToken& token) {
    switch (token.kind) {
        case MifTokenKind::kEnd: return "the end of the file";
        case MifTokenKind::kWord: return "'" + token.text + "'";
        case MifTokenKind::kNumber: return "a number";
        case MifTokenKind::kString: return "a string";
        case MifTokenKind::kEquals: return "'='";
        case MifTokenKind::kComma: return "','";
        case MifTokenKind::kOpenBrace: return "'{'";
        case MifTokenKind::kCloseBrace: return "'}'";
        case MifTokenKind::kOpenParen: return "'('";
        case MifTokenKind::kCloseParen: return "')'";
        case MifTokenKind::kStar: return "'*'";
    }
    return "a token";
}

class SyntaxReader {
public:
    SyntaxReader(const char* text, size_t length, MifParseError* error)
        : lexer_(text, length), error_(error) {}

    bool ReadFile(MifDraftComponent* out);

private:
    bool Advance() { return lexer_.Next(&tok_, error_); }
    bool Fail(int line, const std::string& message);
    bool IsWord(const char* keyword) const {
        return tok_.kind == MifTokenKind::kWord && SameKeyword(tok_.text, keyword);
    }
    bool Expect(MifTokenKind kind, const std::string& what);
    bool FirstTime(std::vector<std::string>* seen, const char* block);

    // Statement forms; each starts at the statement's keyword.
    bool TakeString(std::string* out);
    bool TakeId(uint32_t* out);
    bool TakeIdNumber(const char* what, uint32_t* out);

    // Checks the token after Start or End against the block it opens or
    // closes. *closed is set when tok_ was an End that closed `block`.
    bool AtBlockEnd(const char* block, int startLine, bool* closed);
    bool UnexpectedIn(const char* block);

    bool ReadComponent(MifDraftComponent* out);
    bool ReadPath(MifDraftPath* out);
    bool ReadEnum(MifDraftEnum* out);
    bool ReadGroup(MifDraftGroup* out);
    bool ReadAttribute(MifDraftAttribute* out);
    bool ReadType(MifDraftAttribute* out);
    bool ReadValue(MifDraftValue* out);
    bool ReadTable(MifDraftTable* out);
    bool ReadRow(MifDraftRow* out);
    bool ReadCell(MifDraftValue* out);

    MifLexer lexer_;
    MifToken tok_;
    MifParseError* error_;
};

bool SyntaxReader::Fail(int line, const std::string& message) {
    if (error_ != nullptr) {
        error_->line = line;
        error_->message = message;
    }
    return false;
}

bool SyntaxReader::Expect(MifTokenKind kind, const std::string& what) {
    if (tok_.kind != kind) {
        return Fail(tok_.line, "expected " + what + ", found " + Describe(tok_));
    }
    return true;
}

// Records the statement tok_ starts; false when the block had it already.
bool SyntaxReader::FirstTime(std::vector<std::string>* seen, const char* block) {
    const std::string key = Lower(tok_.text);
    for (const std::string& s : *seen) {
        if (s == key) {
            return Fail(tok_.line, tok_.text + " given twice in the " + block + " block");
        }
    }
    seen->push_back(key);
    return true;
}

bool SyntaxReader::TakeString(std::string* out) {
    const std::string statement = tok_.text;
    if (!Advance() || !Expect(MifTokenKind::kEquals, "'=' after " + statement) || !Advance() ||
        !Expect(MifTokenKind::kString, "a string after " + statement + " =")) {
        return false;
    }
    *out = tok_.text;
    return Advance();
}

bool SyntaxReader::TakeIdNumber(const char* what, uint32_t* out) {
    if (!Expect(MifTokenKind::kNumber, std::string("a number for ") + what)) {
        return false;
    }
    if (tok_.negative || tok_.magnitude == 0 || tok_.magnitude > UINT32_MAX) {
        return Fail(tok_.line, std::string(what) + " must be 1 to 4294967295");
    }
    *out = static_cast<uint32_t>(tok_.magnitude);
    return Advance();
}

bool SyntaxReader::TakeId(uint32_t* out) {
    return Advance() && Expect(MifTokenKind::kEquals, "'=' after ID") && Advance() &&
           TakeIdNumber("an ID", out);
}

bool SyntaxReader::AtBlockEnd(const char* block, int startLine, bool* closed) {
    *closed = false;
    if (tok_.kind == MifTokenKind::kEnd) {
        return Fail(startLine, std::string("Start ") + block + " has no End " + block +
                                   " before the end of the file");
    }
    if (!IsWord("end")) {
        return true;
    }
    const int endLine = tok_.line;
    if (!Advance()) {
        return false;
    }
    if (!IsWord(block)) {
        return Fail(endLine,
                    "End " + (tok_.kind == MifTokenKind::kWord ? tok_.text : Describe(tok_)) +
                        " does not match Start " + block + " on line " + std::to_string(startLine));
    }
    *closed = true;
    return Advance();
}

bool SyntaxReader::UnexpectedIn(const char* block) {
    if (tok_.kind == MifTokenKind::kWord) {
        return Fail(tok_.line, "unknown statement '" + tok_.text + "' in the " + block + " block");
    }
    return Fail(tok_.line, "found " + Describe(tok_) + " in the " + block +
                               " block, where a statement belongs");
}

bool SyntaxReader::ReadFile(MifDraftComponent* out) {
    bool haveLanguage = false;
    bool haveComponent = false;
    if (!Advance()) {
        return false;
    }
    while (tok_.kind != MifTokenKind::kEnd) {
        if (IsWord("language")) {
            if (haveComponent) {
                return Fail(tok_.line, "Language must come before Start Component");
            }
            if (haveLanguage) {
                return Fail(tok_.line, "Language given twice");
            }
            haveLanguage = true;
            if (!TakeString(&out->language)) {
                return false;
            }
        } else if (IsWord("start")) {
            const int line = tok_.line;
            if (!Advance()) {
                return false;
            }
            if (!IsWord("component")) {
                return Fail(line,
                            "expected Start Component, found Start " +
                                (tok_.kind == MifTokenKind::kWord ? tok_.text : Describe(tok_)));
            }
            if (haveComponent) {
                return Fail(line, "a MIF file holds one component; this is a second one");
            }
            haveComponent = true;
            out->line = line;
            if (!ReadComponent(out)) {
                return false;
            }
        } else {
            return Fail(tok_.line, "expected Language or Start Component, found " + Describe(tok_));
        }
    }
    if (!haveComponent) {
        return Fail(tok_.line, "no Start Component in the file");
    }
    return true;
}

bool SyntaxReader::ReadComponent(MifDraftComponent* out) {
    const int startLine = out->line;
    std::vector<std::string> seen;
    if (!Advance()) {
        return false;
    }
    for (;;) {
        bool closed = false;
        if (!AtBlockEnd("Component", startLine, &closed)) {
            return false;
        }
        if (closed) {
            return true;
        }
        if (IsWord("start")) {
            const int line = tok_.line;
            if (!Advance()) {
                return false;
            }
            if (IsWord("path")) {
                out->paths.emplace_back();
                out->paths.back().line = line;
                if (!ReadPath(&out->paths.back())) {
                    return false;
                }
            } else if (IsWord("enum")) {
                out->enums.emplace_back();
                out->enums.back().line = line;
                if (!ReadEnum(&out->enums.back())) {
                    return false;
                }
            } else if (IsWord("group")) {
                out->groups.emplace_back();
                out->groups.back().line = line;
                out->order.push_back({false, out->groups.size() - 1});
                if (!ReadGroup(&out->groups.back())) {
                    return false;
                }
            } else if (IsWord("table")) {
                out->tables.emplace_back();
                out->tables.back().line = line;
                out->order.push_back({true, out->tables.size() - 1});
                if (!ReadTable(&out->tables.back())) {
                    return false;
                }
            } else {
                return Fail(line,
                            "Start " +
                                (tok_.kind == MifTokenKind::kWord ? tok_.text : Describe(tok_)) +
                                " is not allowed in the Component block");
            }
        } else if (IsWord("name")) {
            out->hasName = true;
            if (!FirstTime(&seen, "Component") || !TakeString(&out->name)) {
                return false;
            }
        } else if (IsWord("description")) {
            if (!FirstTime(&seen, "Component") || !TakeString(&out->description)) {
                return false;
            }
        } else if (IsWord("pragma")) {
            if (!FirstTime(&seen, "Component") || !TakeString(&out->pragma)) {
                return false;
            }
        } else {
            return UnexpectedIn("Component");
        }
    }
}

bool SyntaxReader::ReadPath(MifDraftPath* out) {
    if (!Advance()) {
        return false;
    }
    for (;;) {
        bool closed = false;
        if (!AtBlockEnd("Path", out->line, &closed)) {
            return false;
        }
        if (closed) {
            return true;
        }
        if (IsWord("name")) {
            if (out->hasName) {
                return Fail(tok_.line, "Name given twice in the Path block");
            }
            out->hasName = true;
            if (!TakeString(&out->name)) {
                return false;
            }
            continue;
        }
        bool known = false;
        for (const char* environment : kEnvironments) {
            known = known || IsWord(environment);
        }
        if (!known) {
            return UnexpectedIn("Path");
        }
        MifPathEntry entry;
        entry.environment = Lower(tok_.text);
        for (const MifPathEntry& earlier : out->entries) {
            if (earlier.environment == entry.environment) {
                return Fail(tok_.line, tok_.text + " given twice in the Path block");
            }
        }
        const std::string environment = tok_.text;
        if (!Advance() || !Expect(MifTokenKind::kEquals, "'=' after " + environment) ||
            !Advance()) {
            return false;
        }
        if (IsWord("direct-interface")) {
            entry.directInterface = true;
        } else if (tok_.kind == MifTokenKind::kString) {
            // Some files quote it, with or without the hyphen.
            entry.directInterface = SameKeyword(tok_.text, "direct-interface") ||
                                    SameKeyword(tok_.text, "direct interface");
            if (!entry.directInterface) {
                entry.target = tok_.text;
            }
        } else {
            return Fail(tok_.line, "expected a string or direct-interface after " + environment +
                                       " =, found " + Describe(tok_));
        }
        out->entries.push_back(entry);
        if (!Advance()) {
            return false;
        }
    }
}

bool SyntaxReader::ReadEnum(MifDraftEnum* out) {
    std::vector<std::string> seen;
    if (!Advance()) {
        return false;
    }
    for (;;) {
        bool closed = false;
        if (!AtBlockEnd("Enum", out->line, &closed)) {
            return false;
        }
        if (closed) {
            return true;
        }
        if (tok_.kind == MifTokenKind::kNumber) {
            MifDraftEnumEntry entry;
            entry.line = tok_.line;
            entry.magnitude = tok_.magnitude;
            entry.negative = tok_.negative;
            if (!Advance() || !Expect(MifTokenKind::kEquals, "'=' after an enumeration value") ||
                !Advance() || !Expect(MifTokenKind::kString, "the text of the enumeration value")) {
                return false;
            }
            entry.text = tok_.text;
            out->entries.push_back(entry);
            if (!Advance()) {
                return false;
            }
        } else if (tok_.kind == MifTokenKind::kEquals || tok_.kind == MifTokenKind::kString) {
            return Fail(tok_.line,
                        "enumeration entry without its value (expected: number = \"text\")");
        } else if (IsWord("name")) {
            out->hasName = true;
            if (!FirstTime(&seen, "Enum") || !TakeString(&out->name)) {
                return false;
            }
        } else if (IsWord("type")) {
            if (!FirstTime(&seen, "Enum") || !Advance() ||
                !Expect(MifTokenKind::kEquals, "'=' after Type") || !Advance()) {
                return false;
            }
            if (IsWord("counter")) {
                out->type = dmi::kCounter;
            } else if (IsWord("gauge")) {
                out->type = dmi::kGauge;
            } else if (IsWord("integer") || IsWord("int")) {
                out->type = dmi::kInteger;
            } else {
                return Fail(tok_.line,
                            "an enumeration's type must be Counter, Gauge or Integer, not " +
                                Describe(tok_));
            }
            if (!Advance()) {
                return false;
            }
        } else {
            return UnexpectedIn("Enum");
        }
    }
}

bool SyntaxReader::ReadGroup(MifDraftGroup* out) {
    std::vector<std::string> seen;
    if (!Advance()) {
        return false;
    }
    for (;;) {
        bool closed = false;
        if (!AtBlockEnd("Group", out->line, &closed)) {
            return false;
        }
        if (closed) {
            return true;
        }
        if (IsWord("start")) {
            const int line = tok_.line;
            if (!Advance()) {
                return false;
            }
            if (!IsWord("attribute")) {
                return Fail(line,
                            "Start " +
                                (tok_.kind == MifTokenKind::kWord ? tok_.text : Describe(tok_)) +
                                " is not allowed in the Group block");
            }
            out->attributes.emplace_back();
            out->attributes.back().line = line;
            if (!ReadAttribute(&out->attributes.back())) {
                return false;
            }
        } else if (IsWord("name")) {
            out->hasName = true;
            if (!FirstTime(&seen, "Group") || !TakeString(&out->name)) {
                return false;
            }
        } else if (IsWord("class")) {
            out->hasClass = true;
            if (!FirstTime(&seen, "Group") || !TakeString(&out->classString)) {
                return false;
            }
        } else if (IsWord("id")) {
            out->hasId = true;
            if (!FirstTime(&seen, "Group") || !TakeId(&out->id)) {
                return false;
            }
        } else if (IsWord("description")) {
            if (!FirstTime(&seen, "Group") || !TakeString(&out->description)) {
                return false;
            }
        } else if (IsWord("pragma")) {
            if (!FirstTime(&seen, "Group") || !TakeString(&out->pragma)) {
                return false;
            }
        } else if (IsWord("key")) {
            out->keyLine = tok_.line;
            if (!FirstTime(&seen, "Group") || !Advance() ||
                !Expect(MifTokenKind::kEquals, "'=' after Key") || !Advance()) {
                return false;
            }
            std::set<uint32_t> keys;
            for (;;) {
                uint32_t key = 0;
                const int line = tok_.line;
                if (!TakeIdNumber("a key attribute ID", &key)) {
                    return false;
                }
                if (!keys.insert(key).second) {
                    return Fail(line, "Key names attribute " + std::to_string(key) + " twice");
                }
                out->keys.push_back(key);
                if (tok_.kind != MifTokenKind::kComma) {
                    break;
                }
                if (!Advance()) {
                    return false;
                }
            }
        } else {
            return UnexpectedIn("Group");
        }
    }
}

bool SyntaxReader::ReadAttribute(MifDraftAttribute* out) {
    std::vector<std::string> seen;
    if (!Advance()) {
        return false;
    }
    for (;;) {
        bool closed = false;
        if (!AtBlockEnd("Attribute", out->line, &closed)) {
            return false;
        }
        if (closed) {
            return true;
        }
        if (IsWord("name")) {
            out->hasName = true;
            if (!FirstTime(&seen, "Attribute") || !TakeString(&out->name)) {
                return false;
            }
        } else if (IsWord("id")) {
            out->hasId = true;
            if (!FirstTime(&seen, "Attribute") || !TakeId(&out->id)) {
                return false;
            }
        } else if (IsWord("description")) {
            if (!FirstTime(&seen, "Attribute") || !TakeString(&out->description)) {
                return false;
            }
        } else if (IsWord("pragma")) {
            if (!FirstTime(&seen, "Attribute") || !TakeString(&out->pragma)) {
                return false;
            }
        } else if (IsWord("type")) {
            if (!FirstTime(&seen, "Attribute") || !Advance() ||
                !Expect(MifTokenKind::kEquals, "'=' after Type") || !Advance() || !ReadType(out)) {
                return false;
            }
        } else if (IsWord("access")) {
            if (!FirstTime(&seen, "Attribute") || !Advance() ||
                !Expect(MifTokenKind::kEquals, "'=' after Access") || !Advance()) {
                return false;
            }
            if (IsWord("read-only")) {
                out->access = MifAccess::kReadOnly;
            } else if (IsWord("read-write")) {
                out->access = MifAccess::kReadWrite;
            } else if (IsWord("write-only")) {
                out->access = MifAccess::kWriteOnly;
            } else {
                return Fail(tok_.line, "Access must be Read-Only, Read-Write or Write-Only, not " +
                                           Describe(tok_));
            }
            if (!Advance()) {
                return false;
            }
        } else if (IsWord("storage")) {
            if (!FirstTime(&seen, "Attribute") || !Advance() ||
                !Expect(MifTokenKind::kEquals, "'=' after Storage") || !Advance()) {
                return false;
            }
            if (IsWord("common")) {
                out->storage = MifStorage::kCommon;
            } else if (IsWord("specific")) {
                out->storage = MifStorage::kSpecific;
            } else {
                return Fail(tok_.line, "Storage must be Common or Specific, not " + Describe(tok_));
            }
            if (!Advance()) {
                return false;
            }
        } else if (IsWord("value")) {
            if (!FirstTime(&seen, "Attribute") || !Advance() ||
                !Expect(MifTokenKind::kEquals, "'=' after Value") || !Advance() ||
                !ReadValue(&out->value)) {
                return false;
            }
        } else {
            return UnexpectedIn("Attribute");
        }
    }
}

bool SyntaxReader::ReadType(MifDraftAttribute* out) {
    if (tok_.kind == MifTokenKind::kString) {
        out->typeKind = MifDraftAttribute::kNamedEnum;
        out->enumName = tok_.text;
        return Advance();
    }
    if (IsWord("start")) {
        const int line = tok_.line;
        if (!Advance()) {
            return false;
        }
        if (!IsWord("enum")) {
            return Fail(line, "Type = Start must be followed by Enum");
        }
        out->typeKind = MifDraftAttribute::kInlineEnum;
        out->inlineEnum.line = line;
        return ReadEnum(&out->inlineEnum);
    }
    struct Fixed {
        const char* word;
        dmi::DataType type;
    };
    static const Fixed kFixed[] = {
        {"counter", dmi::kCounter}, {"counter64", dmi::kCounter64}, {"gauge", dmi::kGauge},
        {"integer", dmi::kInteger}, {"int", dmi::kInteger},         {"integer64", dmi::kInteger64},
        {"int64", dmi::kInteger64}, {"date", dmi::kDate},
    };
    for (const Fixed& fixed : kFixed) {
        if (IsWord(fixed.word)) {
            out->typeKind = MifDraftAttribute::kBuiltin;
            out->builtinType = fixed.type;
            return Advance();
        }
    }
    dmi::DataType stringType;
    if (IsWord("octetstring")) {
        stringType = dmi::kOctetString;
    } else if (IsWord("displaystring") || IsWord("string")) {
        stringType = dmi::kDisplayString;
    } else {
        return Fail(tok_.line, "unknown type " + Describe(tok_));
    }
    const std::string word = tok_.text;
    if (!Advance() || !Expect(MifTokenKind::kOpenParen, "'(' and a length after " + word) ||
        !Advance()) {
        return false;
    }
    if (!Expect(MifTokenKind::kNumber, "the length of " + word)) {
        return false;
    }
    if (tok_.negative || tok_.magnitude == 0 || tok_.magnitude > 0x7FFFFFFF) {
        return Fail(tok_.line, "the length of " + word + " must be 1 to 2147483647");
    }
    out->typeKind = MifDraftAttribute::kBuiltin;
    out->builtinType = stringType;
    out->maxLength = static_cast<uint32_t>(tok_.magnitude);
    return Advance() && Expect(MifTokenKind::kCloseParen, "')' after the length of " + word) &&
           Advance();
}

bool SyntaxReader::ReadValue(MifDraftValue* out) {
    out->line = tok_.line;
    if (tok_.kind == MifTokenKind::kStar) {
        if (!Advance() || !Expect(MifTokenKind::kString, "the path name after '*'")) {
            return false;
        }
        out->kind = MifDraftValue::kReference;
        out->text = tok_.text;
        return Advance();
    }
    if (tok_.kind == MifTokenKind::kNumber || tok_.kind == MifTokenKind::kString ||
        IsWord("unsupported") || IsWord("unknown")) {
        return ReadCell(out);
    }
    return Fail(tok_.line,
                "expected a number, a string, *\"path\", Unsupported or Unknown "
                "after Value =, found " +
                    Describe(tok_));
}

// A number, a string, Unsupported or Unknown.
bool SyntaxReader::ReadCell(MifDraftValue* out) {
    out->line = tok_.line;
    if (tok_.kind == MifTokenKind::kNumber) {
        out->kind = MifDraftValue::kNumber;
        out->magnitude = tok_.magnitude;
        out->negative = tok_.negative;
    } else if (tok_.kind == MifTokenKind::kString) {
        out->kind = MifDraftValue::kString;
        out->text = tok_.text;
    } else if (IsWord("unsupported")) {
        out->kind = MifDraftValue::kUnsupported;
    } else if (IsWord("unknown")) {
        out->kind = MifDraftValue::kUnknown;
    } else {
        return Fail(tok_.line, "found " + Describe(tok_) +
                                   " in a table row, where a number or a string belongs");
    }
    return Advance();
}

bool SyntaxReader::ReadTable(MifDraftTable* out) {
    std::vector<std::string> seen;
    if (!Advance()) {
        return false;
    }
    for (;;) {
        bool closed = false;
        if (!AtBlockEnd("Table", out->line, &closed)) {
            return false;
        }
        if (closed) {
            return true;
        }
        if (tok_.kind == MifTokenKind::kOpenBrace) {
            out->rows.emplace_back();
            if (!ReadRow(&out->rows.back())) {
                return false;
            }
        } else if (IsWord("name")) {
            out->hasName = true;
            if (!FirstTime(&seen, "Table") || !TakeString(&out->name)) {
                return false;
            }
        } else if (IsWord("id")) {
            out->hasId = true;
            if (!FirstTime(&seen, "Table") || !TakeId(&out->id)) {
                return false;
            }
        } else if (IsWord("class")) {
            out->hasClass = true;
            if (!FirstTime(&seen, "Table") || !TakeString(&out->classString)) {
                return false;
            }
        } else {
            return UnexpectedIn("Table");
        }
    }
}

// { cell, cell, ... } where a cell may be left empty; "{}" is a row of no cells.
bool SyntaxReader::ReadRow(MifDraftRow* out) {
    out->line = tok_.line;
    if (!Advance()) {
        return false;
    }
    if (tok_.kind == MifTokenKind::kCloseBrace) {
        return Advance();
    }
    for (;;) {
        MifDraftValue cell;
        cell.line = tok_.line;
        if (tok_.kind != MifTokenKind::kComma && tok_.kind != MifTokenKind::kCloseBrace &&
            !ReadCell(&cell)) {
            return false;
        }
        out->cells.push_back(cell);
        if (tok_.kind == MifTokenKind::kCloseBrace) {
            return Advance();
        }
        if (tok_.kind != MifTokenKind::kComma) {
            return Fail(tok_.line, "expected ',' or '}' in the table row of line " +
                                       std::to_string(out->line) + ", found " + Describe(tok_));
        }
        if (!Advance()) {
            return false;
        }
    }
}

}  // namespace

bool ReadMifSyntax(const char* text, size_t length, MifDraftComponent* out, MifParseError* error) {
    *out = MifDraftComponent();
    SyntaxReader reader(text, length, error);
    return reader.ReadFile(out);
}
