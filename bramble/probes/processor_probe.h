// The SMBIOS processor structures (type 4) as the rows of group 6.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bramble/probes/smbios_fields.h"

namespace bramble {

constexpr size_t kMaxProcessorRows = 10;
constexpr size_t kProcessorVersionBytes = 64;

// The BIOS vendor text under which processor speeds may be packed BCD.
extern const char kBcdSpeedVendor[];  // "Intel Corporation"

struct ProcessorRow {
    unsigned index = 0;                   // 1, 2, ... in table order
    std::optional<unsigned> type;         // byte 5
    std::optional<unsigned> family;       // byte 6, or the word at 0x28 when byte 6 is 0xFE
    std::string version = kNotAvailable;  // string of byte 0x10, at most 64 bytes
    std::optional<unsigned> maxSpeedMHz;
    std::optional<unsigned> currentSpeedMHz;
    std::optional<unsigned> upgrade;      // byte 0x19
};

// A speed word in MHz. Under the BCD vendor the word is read as four packed
// BCD digits, high byte first, but only when all four nibbles are decimal
// digits; any other word (real tables store binary MHz there too) and any word
// under another vendor is binary MHz.
unsigned SpeedFromWord(unsigned word, bool bcdVendor);

// One row per processor structure whose status byte (0x18) has the
// socket-populated bit (bit 6), at most kMaxProcessorRows. biosVendor is the
// BIOS vendor text as read (an exact match selects the BCD reading).
std::vector<ProcessorRow> ReadProcessors(const SmbiosBytes& table, const std::string& biosVendor);

}  // namespace bramble
