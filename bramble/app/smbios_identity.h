// The PC's identity read at start-up through the instrumentation driver: the
// SMBIOS table, the product string and model class it gives, whether a
// hardware monitor is there, and which port connectors the PC has.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "bramble/app/process_state.h"

namespace bramble {

struct Identity {
    std::string product;
    unsigned modelClass = 0;
    bool healthConfigured = false;
    bool parallelPort = false;
    bool serialPort = false;
};

// Copies the SMBIOS structure table out of the driver; false when either
// request fails or the driver is not open.
bool ReadSmbiosTable(HANDLE driver, PlatformKind kind, std::vector<unsigned char>* table);

// The identity from a table already read.
Identity IdentityFromTable(const std::vector<unsigned char>& table);

// The whole read; false (start-up then stops) when the table cannot be read.
bool ReadIdentity(HANDLE driver, PlatformKind kind, Identity* identity);

}  // namespace bramble
