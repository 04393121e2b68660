// The rows that each served group holds, and the probes that fill them (used by
// the entry points' dispatch only).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace bramble {
namespace ci {

enum : uint32_t { kTypeInteger = 5, kTypeWide = 6, kTypeString = 8, kTypeDate = 11 };

struct Value {
    uint32_t type = kTypeInteger;
    int64_t number = 0;
    std::string text;  // strings and dates
};

struct Row {
    uint32_t key = 0;  // 0 is an empty slot
    std::vector<std::pair<uint32_t, Value>> attributes;

    void Integer(uint32_t id, int64_t v);
    void Wide(uint32_t id, int64_t v);
    void Text(uint32_t id, const std::string& v);
    void Date(uint32_t id, const std::string& v);
    const Value* Find(uint32_t id) const;
};

using Rows = std::vector<Row>;
using Probe = bool (*)(Rows* rows);

// Probes, one per served group. Each replaces the rows; false when the data
// cannot be read.
bool ProbeSystem(Rows* rows);        // 1
bool ProbeGeneral(Rows* rows);       // 2
bool ProbeOperatingSystem(Rows* rows);  // 3
bool ProbeBios(Rows* rows);          // 4
bool ProbeProcessors(Rows* rows);    // 6
bool ProbeMemoryController(Rows* rows);  // 8
bool ProbeMemory(Rows* rows);        // 9
bool ProbeCaches(Rows* rows);        // 10
bool ProbeParallelPorts(Rows* rows); // 11
bool ProbeSerialPorts(Rows* rows);   // 12
bool ProbeEnclosure(Rows* rows);     // 16
bool ProbeSlots(Rows* rows);         // 19
bool ProbeVideoBios(Rows* rows);     // 22

// Reads the SMBIOS table again through the current reader; false (keeping
// the last good copy) when it cannot.
bool ReloadSmbiosTable();
void SetTableReader(bool (*reader)(std::vector<unsigned char>*));

// The DMI date text for a local time, with the fraction given and an unknown
// offset.
std::string DmiDate(const SYSTEMTIME& t, unsigned fractionMicros);

}  // namespace ci
}  // namespace bramble
