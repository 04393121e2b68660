// Reading single fields of SMBIOS structures for the probes: every read goes
// through the testbed walker, so it stays inside the structure's formatted
// area and the table's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/testbed/smbios_table.h"

namespace bramble {

// A raw structure table (no entry point) and its length in bytes.
struct SmbiosBytes {
    const unsigned char* data = nullptr;
    unsigned length = 0;
};

// The text served for a missing SMBIOS string.
extern const char kNotAvailable[];

// The index-th structure (from 0) of a type; false when the table has none.
bool FindStructure(const SmbiosBytes& table, unsigned type, unsigned index, SmbiosStructure* out);

// The string whose number is the byte at offset, cut to at most maxBytes bytes
// on a character boundary; "N/A" when the field is absent or the string
// missing (number 0 or past the structure's strings).
std::string StringField(const SmbiosStructure& s, unsigned offset, size_t maxBytes = SIZE_MAX);

// The string itself, or nothing when it is missing (for rules that look at the
// text, where "N/A" must not pass for a real text).
std::optional<std::string> RawStringField(const SmbiosStructure& s, unsigned offset);

// Numeric fields; nothing when the field lies past the structure's length.
std::optional<unsigned> ByteField(const SmbiosStructure& s, unsigned offset);
std::optional<unsigned> WordField(const SmbiosStructure& s, unsigned offset);

}  // namespace bramble
