// The SMBIOS cache structures (type 7).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bramble/probes/smbios_fields.h"

namespace bramble {

struct CacheRow {
    unsigned index = 0;
    std::string designation = kNotAvailable;
    std::optional<unsigned> level;             // 1, 2, 3 ... (configuration bits 2:0 plus 1)
    std::optional<bool> enabled;               // configuration bit 7
    std::optional<unsigned long> maxSizeKB;
    std::optional<unsigned long> installedSizeKB;
    std::optional<unsigned> errorCorrection;   // byte 0x10
    std::optional<unsigned> systemCacheType;   // byte 0x11
    std::optional<unsigned> associativity;     // byte 0x12
};

// A 16-bit size word in KB: bit 15 selects 64 KB units. The value 0xFFFF
// defers to the 32-bit size, where bit 31 selects 64 KB units (sizes beyond
// what fits are capped at the largest value).
unsigned long CacheSizeKB(unsigned word, std::optional<unsigned long> size2);

std::vector<CacheRow> ReadCaches(const SmbiosBytes& table);

}  // namespace bramble
