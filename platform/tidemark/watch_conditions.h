// The monitoring conditions: the settings that the viewer writes and the
// watcher reads. Each has a registry value name, a default and a valid range;
// the same rules check a value the viewer writes and a value read back from
// the registry, so whatever is stored can be loaded again.
#pragma once

#include <cstdint>

#include "platform/tidemark/watch_section.h"

namespace tidemark {

enum class Condition {
    Watch,
    DialogNotify,
    SoundNotify,
    PrinterCycle,
    MemoryCycle,
    DiskCycle,
    HealthCycle,
    SmartCycle,
    PrinterComplete,
    PrinterPaper,
    PrinterOffline,
    MemoryNotify,
    MemoryThreshold,
    TemperatureNotify,
    FanNotify,
    VoltageNotify,
    // Per drive (a..z): kept in a subkey of the drive.
    DriveCapacityNotify,
    DriveAccessErrorNotify,
    DriveThreshold,
};

struct ConditionRule {
    Condition id;
    const char* valueName;   // registry value (REG_DWORD)
    bool perDrive;
    uint32_t defaultValue;
    uint32_t minimum;        // valid: minimum..maximum,
    uint32_t maximum;
    bool zeroAllowed;        // and 0 as well when this is set
};

// Every condition, global ones first.
const ConditionRule* ConditionRules(int* count);
const ConditionRule& RuleOf(Condition id);

bool IsValidCondition(Condition id, uint32_t value);

// The field of the section that holds the condition; for a per-drive
// condition the drive is an index 0..25 (a..z). Null when the drive index is
// out of range for a per-drive condition.
uint32_t* ConditionField(WatchSectionLayout& section, Condition id, int driveIndex);

// The condition as the section holds it, checked: a word outside the
// condition's range (another program wrote the section) reads as the default.
// 0 when the drive index is out of range for a per-drive condition.
uint32_t ConditionValue(WatchSectionLayout& section, Condition id, int driveIndex);

// Every condition of the section set to its default.
void SetDefaultConditions(WatchSectionLayout& section);

}  // namespace tidemark
