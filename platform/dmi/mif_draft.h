// A MIF component as written, before its names, values and ids are checked
// against each other: what the block reader (mif_syntax) hands to the checks
// (mif_parser). Each item keeps the line it was written on for messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dmi/mif_model.h"

// A value or table cell as written.
struct MifDraftValue {
    enum Kind { kNone, kNumber, kString, kReference, kUnsupported, kUnknown };
    Kind kind = kNone;
    uint64_t magnitude = 0;  // kNumber
    bool negative = false;   // kNumber
    std::string text;        // kString: the bytes; kReference: the path name
    int line = 0;
};

struct MifDraftEnumEntry {
    uint64_t magnitude = 0;
    bool negative = false;
    std::string text;
    int line = 0;
};

struct MifDraftEnum {
    int line = 0;
    bool hasName = false;
    std::string name;
    dmi::DataType type = dmi::kInteger;  // counter, gauge or integer
    std::vector<MifDraftEnumEntry> entries;
};

struct MifDraftAttribute {
    enum TypeKind { kNoType, kBuiltin, kNamedEnum, kInlineEnum };
    int line = 0;
    bool hasName = false;
    std::string name;
    bool hasId = false;
    uint32_t id = 0;
    std::string description;
    std::string pragma;
    TypeKind typeKind = kNoType;
    dmi::DataType builtinType = dmi::kInteger;
    uint32_t maxLength = 0;   // octet and display strings
    std::string enumName;     // kNamedEnum
    MifDraftEnum inlineEnum;  // kInlineEnum
    MifAccess access = MifAccess::kReadOnly;
    MifStorage storage = MifStorage::kSpecific;
    MifDraftValue value;
};

struct MifDraftGroup {
    int line = 0;
    bool hasName = false;
    std::string name;
    bool hasClass = false;
    std::string classString;
    bool hasId = false;
    uint32_t id = 0;
    std::vector<uint32_t> keys;
    int keyLine = 0;
    std::string description;
    std::string pragma;
    std::vector<MifDraftAttribute> attributes;
};

struct MifDraftRow {
    int line = 0;
    std::vector<MifDraftValue> cells;  // an empty cell has kind kNone
};

struct MifDraftTable {
    int line = 0;
    bool hasName = false;
    std::string name;
    bool hasId = false;
    uint32_t id = 0;
    bool hasClass = false;
    std::string classString;
    std::vector<MifDraftRow> rows;
};

struct MifDraftPath {
    int line = 0;
    bool hasName = false;
    std::string name;
    std::vector<MifPathEntry> entries;
};

struct MifDraftComponent {
    int line = 0;
    std::string language;
    bool hasName = false;
    std::string name;
    std::string description;
    std::string pragma;
    std::vector<MifDraftPath> paths;
    std::vector<MifDraftEnum> enums;
    std::vector<MifDraftGroup> groups;
    std::vector<MifDraftTable> tables;
    // Groups and tables in file order: for each, whether it is a table and
    // its index in `groups` or `tables`.
    struct Place {
        bool isTable;
        size_t index;
    };
    std::vector<Place> order;
};
