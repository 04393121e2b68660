#include "bramble/probes/port_probe.h"

namespace bramble {

namespace {

struct CodePair {
    unsigned from, to;
};

unsigned Lookup(const CodePair* pairs, size_t count, unsigned value, unsigned otherwise)
{
    for (size_t i = 0; i < count; i++)
        if (pairs[i].from == value)
            return pairs[i].to;
    return otherwise;
}

// Connector types: 1 Centronics, 2 Mini Centronics, 3 proprietary, 4/5 DB-25
// male/female, 8/9 DB-9 male/female, 10 RJ-11, 11 RJ-45, 20/21 circular DIN-8
// male/female, 29/30 Mini-Centronics type 14/26.
const CodePair kSerialConnectors[] = {
    {3, 9}, {4, 5}, {5, 6}, {8, 3}, {9, 4}, {10, 7}, {11, 8}, {20, 10}, {21, 11}, {29, 160}, {30, 161},
};
const CodePair kParallelConnectors[] = {
    {1, 5}, {2, 6}, {3, 7}, {4, 4}, {5, 3}, {29, 160},
};
// Port types: 1 XT/AT, 2 PS/2, 3 ECP, 4 EPP, 5 ECP/EPP, 25-27 PC-98 kinds.
const CodePair kParallelCapabilities[] = {
    {1, 3}, {2, 4}, {3, 5}, {4, 5}, {5, 5}, {25, 160}, {26, 161}, {27, 162},
};

template <size_t N>
constexpr size_t Count(const CodePair (&)[N])
{
    return N;
}

}  // namespace

bool IsParallelPortType(unsigned portType)
{
    return (portType >= 0x01 && portType <= 0x05) || (portType >= 0x19 && portType <= 0x1B);
}

bool IsSerialPortType(unsigned portType)
{
    // XT/AT, 16450, 16550 and 16550A compatible, and the 8251 kinds.
    return (portType >= 0x06 && portType <= 0x09) || portType == 0xA0 || portType == 0xA1;
}

unsigned SerialConnectorCode(unsigned connector)
{
    return Lookup(kSerialConnectors, Count(kSerialConnectors), connector, 1);
}

unsigned SerialMaxSpeed(unsigned connector)
{
    return connector == 8 || connector == 9 ? 115200 : 9600;
}

unsigned ParallelConnectorCode(unsigned connector)
{
    return Lookup(kParallelConnectors, Count(kParallelConnectors), connector, 1);
}

unsigned ParallelCapabilityCode(unsigned portType)
{
    return Lookup(kParallelCapabilities, Count(kParallelCapabilities), portType, 1);
}

PortConnectors ReadPortConnectors(const SmbiosBytes& table)
{
    PortConnectors ports;
    SmbiosStructure s;
    for (unsigned n = 0; FindStructure(table, 8, n, &s); n++) {
        auto portType = ByteField(s, 0x08);
        if (!portType)
            continue;
        unsigned connector = ByteField(s, 0x07).value_or(0);
        if (connector == 0)
            connector = ByteField(s, 0x05).value_or(0);
        if (IsParallelPortType(*portType)) {
            ParallelPortRow row;
            row.index = static_cast<unsigned>(ports.parallel.size() + 1);
            row.connector = ParallelConnectorCode(connector);
            row.capability = ParallelCapabilityCode(*portType);
            ports.parallel.push_back(row);
        } else if (IsSerialPortType(*portType)) {
            SerialPortRow row;
            row.index = static_cast<unsigned>(ports.serial.size() + 1);
            row.connector = SerialConnectorCode(connector);
            row.maxSpeed = SerialMaxSpeed(connector);
            ports.serial.push_back(row);
        }
    }
    return ports;
}

}  // namespace bramble
