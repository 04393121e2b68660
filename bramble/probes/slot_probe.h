// The SMBIOS system slot structures (type 9).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bramble/probes/smbios_fields.h"

namespace bramble {

struct SlotRow {
    unsigned index = 0;                       // 1, 2, ... in table order
    std::string designation = kNotAvailable;  // string of byte 4
    std::optional<unsigned> type;             // byte 5
    std::optional<unsigned> dataBusWidth;     // byte 6
    std::optional<unsigned> currentUsage;     // byte 7: 3 available, 4 in use, ...
    std::optional<unsigned> length;           // byte 8
    std::optional<unsigned> id;               // word 9
};

std::vector<SlotRow> ReadSlots(const SmbiosBytes& table);

}  // namespace bramble
