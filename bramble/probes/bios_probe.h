// The SMBIOS BIOS structure (type 0), as group 4 serves it.
#pragma once

#include <optional>
#include <string>

#include "bramble/probes/smbios_fields.h"

namespace bramble {

// The DMI date served when the BIOS gives no usable release date.
extern const char kNoDmiDate[];  // "00000000000000.000000+000"

struct BiosInfo {
    bool present = false;  // the table has a type 0 structure
    std::string vendor = kNotAvailable;
    std::string version = kNotAvailable;
    std::string releaseDate = kNoDmiDate;       // DMI date, 25 characters
    std::optional<unsigned long> startAddress;  // segment × 16
    std::optional<unsigned> romSizeKB;
};

// The release date text "mm/dd/yy" or "mm/dd/yyyy" as a DMI date
// "yyyymmdd000000.000000+000". A two-digit year gets the century "19" when its
// first digit is '9' and "20" otherwise; a four-digit year stands as it is.
// No text, or a text of another form, gives kNoDmiDate.
std::string DmiDateFromReleaseDate(const char* text);

BiosInfo ReadBios(const SmbiosBytes& table);

}  // namespace bramble
