// A component as its MIF file describes it, after parsing and checking.
//
// Texts (names, descriptions, class strings, string values) are the raw code
// page 932 bytes of the file, escapes already applied; they may hold NUL bytes
// (an escape "\0"), so they are kept with their length in std::string.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/dmi_types.h"

// Access as the management interface reports it (1 to 3).
enum class MifAccess : uint32_t {
    kReadOnly = 1,
    kReadWrite = 2,
    kWriteOnly = 3,
};

// A hint about how many different values PCs have for the attribute.
enum class MifStorage : uint32_t {
    kCommon,
    kSpecific,
};

struct MifEnumEntry {
    int32_t value = 0;
    std::string text;
};

// A named enumeration declared at component level.
struct MifEnum {
    std::string name;
    dmi::DataType type = dmi::kInteger;  // counter, gauge or integer
    std::vector<MifEnumEntry> entries;   // in declaration order
};

enum class MifValueKind {
    kNone,          // no value written (allowed only in a template group)
    kNumber,        // integer kinds, enumerations included
    kText,          // strings, and dates as their 28-byte field
    kInstrumented,  // read through the instrumentation named by `text`
    kUnsupported,   // "unsupported": the attribute is not supported
    kUnknown,       // "unknown": the value is not known
};

struct MifValue {
    MifValueKind kind = MifValueKind::kNone;
    // kNumber: the value's bits; 32-bit kinds keep the low 32 bits only (a
    // negative integer -1 is 0xFFFFFFFF), 64-bit kinds all 64.
    uint64_t number = 0;
    // kText: the string's bytes, or for a date the 28-byte field (25 characters
    // or fewer, padded with NUL). kInstrumented: the name of the path.
    std::string text;
};

struct MifAttribute {
    uint32_t id = 0;
    std::string name;
    std::string description;
    std::string pragma;
    dmi::DataType type = dmi::kInteger;     // an enumeration has its integer type
    uint32_t maxLength = 0;                 // octets a string may hold (strings only)
    std::vector<MifEnumEntry> enumEntries;  // empty unless the type is an enumeration
    MifAccess access = MifAccess::kReadOnly;
    MifStorage storage = MifStorage::kSpecific;
    MifValue value;  // the value, or for a table the default of its rows
};

enum class MifGroupKind {
    kScalar,             // id and no key: one set of values
    kInstrumentedTable,  // id and key: rows come from the instrumentation
    kStaticTable,        // a "table" block: rows written in the file
};

// A group the service layer can address by id. A static table appears here
// with the table's name, id and class, and the keys and attributes of the
// template group it fills.
struct MifGroup {
    MifGroupKind kind = MifGroupKind::kScalar;
    uint32_t id = 0;
    std::string name;
    std::string classString;
    std::string description;
    std::string pragma;
    std::vector<uint32_t> keys;  // attribute ids that form a row's key, in the order written
    std::vector<MifAttribute> attributes;  // in declaration order
    // kStaticTable: one entry per row, each holding one value per attribute
    // (same order as `attributes`), defaults already filled in.
    std::vector<std::vector<MifValue>> rows;
};

// One environment line of a path block, e.g. win32 = "C:\\BIN\\CI.DLL".
struct MifPathEntry {
    std::string environment;       // lower case: dos, macos, os2, unix, win16, win32, win9x, winnt
    bool directInterface = false;  // the instrumentation is a resident program
    std::string target;            // the program or library, when not direct-interface
};

struct MifPath {
    std::string name;
    std::vector<MifPathEntry> entries;
};

struct MifComponent {
    std::string language;  // empty when the file gives none
    std::string name;
    std::string description;
    std::string pragma;
    std::vector<MifPath> paths;
    std::vector<MifEnum> enums;
    std::vector<MifGroup> groups;     // addressable groups and tables, in file order
    std::vector<MifGroup> templates;  // template groups (key, no id); not addressable
};
