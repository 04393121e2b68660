// The SMBIOS memory controller (type 5) and memory module (type 6) structures.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bramble/probes/smbios_fields.h"

namespace bramble {

struct MemoryController {
    bool present = false;
    std::optional<unsigned> errorDetecting;       // byte 4
    std::optional<unsigned> errorCorrecting;      // byte 5 (capability bits)
    std::optional<unsigned> supportedInterleave;  // byte 6
    std::optional<unsigned> currentInterleave;    // byte 7
    std::optional<unsigned long> maxModuleSizeMB; // 2^(byte 8)
    std::string supportedSpeeds = kNotAvailable;  // "70ns / 60ns / 50ns", those the word lists
    std::optional<unsigned> slots;                // byte 0x0E
};

struct MemoryModule {
    unsigned index = 0;
    std::string designation = kNotAvailable;
    std::optional<unsigned> currentSpeedNs;       // byte 6, 0 when unknown
    // Installed and enabled size in MB (bits 6:0 give 2^n MB); absent when the
    // field is missing or says not determinable, 0 when not installed or
    // disabled.
    std::optional<unsigned long> installedSizeMB;
    std::optional<unsigned long> enabledSizeMB;
};

// The speed list of the supported-speeds word (bit 2 70 ns, 3 60 ns, 4 50 ns);
// "N/A" when none of them is set.
std::string SupportedSpeedsText(unsigned word);

MemoryController ReadMemoryController(const SmbiosBytes& table);
std::vector<MemoryModule> ReadMemoryModules(const SmbiosBytes& table);

}  // namespace bramble
