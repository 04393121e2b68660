// What the MIF database answers for an attribute: a status, and the value as
// the management interface carries it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/dmi_types.h"

// Outcome of a look-up in the MIF database. The service layer turns each into
// its own status code.
enum class MifStatus {
    kOk,            // the answer holds the value
    kInstrumented,  // the value comes from the instrumentation the answer names
    kNoComponent,   // no component has the id
    kNoGroup,       // the component has no group or table with the id
    kNoAttribute,   // the group has no attribute with the id
    kNoRow,         // no row of the table has the given key
    kBadKeys,       // a key for a group without keys, or for an attribute outside the key
    kUnsupported,   // the MIF writes the value as Unsupported
    kValueUnknown,  // the MIF writes the value as Unknown
    kNotReadable,   // the attribute is write-only
};

// Short English name of a status, for logs ("no such group").
const char* MifStatusText(MifStatus status);

struct MifAnswer {
    dmi::DataType type = dmi::kInteger;  // the attribute's type (5 for an enumeration)
    uint32_t value32 = 0;                // counter, gauge, integer and enumeration values
    uint64_t value64 = 0;                // 64-bit counter and integer values
    std::string bytes;                   // octet and display strings; a date's 28-byte field
    std::string instrumentation;         // kInstrumented: the name of the path to forward to
};

// Bytes the value takes as the management interface lays it out: 4 for
// 32-bit kinds, 8 for 64-bit kinds, 4 + length for strings, 28 for a date.
size_t MifAnswerValueSize(const MifAnswer& answer);

// Writes the value in that layout (little-endian numbers, a string as its
// 32-bit length and its bytes) into out. Returns the bytes written, or 0, with
// nothing written, when outSize is smaller than MifAnswerValueSize.
size_t WriteMifAnswerValue(const MifAnswer& answer, void* out, size_t outSize);
