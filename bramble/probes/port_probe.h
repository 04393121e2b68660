// The SMBIOS port connector structures (type 8) as the parallel ports
// (group 11) and serial ports (group 12), and the flags that select the
// optional parallel and serial sections of the MIF.
#pragma once

#include <vector>

#include "bramble/probes/smbios_fields.h"

namespace bramble {

struct ParallelPortRow {
    unsigned index = 0;       // 1, 2, ... in table order
    unsigned connector = 1;   // served connector type code
    unsigned capability = 1;  // served capability code
};

struct SerialPortRow {
    unsigned index = 0;
    unsigned connector = 1;
    unsigned maxSpeed = 9600;
};

struct PortConnectors {
    std::vector<ParallelPortRow> parallel;
    std::vector<SerialPortRow> serial;
    bool hasParallel() const { return !parallel.empty(); }
    bool hasSerial() const { return !serial.empty(); }
};

// Port types (byte 8) that are parallel and serial ports.
bool IsParallelPortType(unsigned portType);
bool IsSerialPortType(unsigned portType);

// SMBIOS connector type → served code.
unsigned SerialConnectorCode(unsigned connector);
unsigned SerialMaxSpeed(unsigned connector);
unsigned ParallelConnectorCode(unsigned connector);
// SMBIOS port type → served parallel capability code.
unsigned ParallelCapabilityCode(unsigned portType);

// The connector type of a port is its external connector (byte 7), or its
// internal one (byte 5) when it has no external connector.
PortConnectors ReadPortConnectors(const SmbiosBytes& table);

}  // namespace bramble
