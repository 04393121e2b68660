#include "platform/tidemark/watch_conditions.h"

namespace tidemark {

namespace {

constexpr uint32_t kOneHourMs = 3600000;

// Defaults of a fresh installation: monitoring on with message boxes, every
// notification on, 80 % swap use and 10 % free space as thresholds, the
// watcher's own check periods.
const ConditionRule kRules[] = {
    {Condition::Watch, "Watch", false, 1, 0, 1, false},
    {Condition::DialogNotify, "DlgNtf", false, 1, 0, 1, false},
    {Condition::SoundNotify, "SoundNtf", false, 0, 0, 1, false},
    {Condition::PrinterCycle, "PriCycle", false, 0, 1000, kOneHourMs, true},
    {Condition::MemoryCycle, "MemCycle", false, 0, 1000, kOneHourMs, true},
    {Condition::DiskCycle, "DskCycle", false, 0, 1000, kOneHourMs, true},
    {Condition::HealthCycle, "HelCycle", false, 0, 1000, kOneHourMs, true},
    {Condition::SmartCycle, "SmtCycle", false, 0, 1000, kOneHourMs, true},
    {Condition::PrinterComplete, "PriComplete", false, 1, 0, 1, false},
    {Condition::PrinterPaper, "PriPaper", false, 1, 0, 1, false},
    {Condition::PrinterOffline, "PriOffline", false, 1, 0, 1, false},
    {Condition::MemoryNotify, "MemNtfCnd", false, 1, 0, 1, false},
    {Condition::MemoryThreshold, "MemNtfPar", false, 80, 0, 100, false},
    {Condition::TemperatureNotify, "TempNtf", false, 1, 0, 1, false},
    {Condition::FanNotify, "FanNtf", false, 1, 0, 1, false},
    {Condition::VoltageNotify, "VoltNtf", false, 1, 0, 1, false},
    {Condition::DriveCapacityNotify, "CapaNtf", true, 1, 0, 1, false},
    {Condition::DriveAccessErrorNotify, "AcsErrNtf", true, 0, 0, 1, false},
    {Condition::DriveThreshold, "CndPar", true, 10, 1, 100, false},
};

constexpr int kRuleCount = static_cast<int>(sizeof kRules / sizeof kRules[0]);

}  // namespace

const ConditionRule* ConditionRules(int* count)
{
    *count = kRuleCount;
    return kRules;
}

const ConditionRule& RuleOf(Condition id)
{
    for (const ConditionRule& rule : kRules) {
        if (rule.id == id)
            return rule;
    }
    return kRules[0];   // not reached: every condition has a rule
}

bool IsValidCondition(Condition id, uint32_t value)
{
    const ConditionRule& rule = RuleOf(id);
    return (value == 0 && rule.zeroAllowed) || (value >= rule.minimum && value <= rule.maximum);
}

uint32_t* ConditionField(WatchSectionLayout& section, Condition id, int driveIndex)
{
    switch (id) {
    case Condition::Watch: return &section.watch;
    case Condition::DialogNotify: return &section.dialogNotify;
    case Condition::SoundNotify: return &section.soundNotify;
    case Condition::PrinterCycle: return &section.cycle[kPrinter];
    case Condition::MemoryCycle: return &section.cycle[kMemory];
    case Condition::DiskCycle: return &section.cycle[kDisk];
    case Condition::HealthCycle: return &section.cycle[kHealth];
    case Condition::SmartCycle: return &section.cycle[kSmart];
    case Condition::PrinterComplete: return &section.printerComplete;
    case Condition::PrinterPaper: return &section.printerPaper;
    case Condition::PrinterOffline: return &section.printerOffline;
    case Condition::MemoryNotify: return &section.memoryNotify;
    case Condition::MemoryThreshold: return &section.memoryThreshold;
    case Condition::TemperatureNotify: return &section.temperatureNotify;
    case Condition::FanNotify: return &section.fanNotify;
    case Condition::VoltageNotify: return &section.voltageNotify;
    case Condition::DriveCapacityNotify:
    case Condition::DriveAccessErrorNotify:
    case Condition::DriveThreshold:
        break;
    }
    if (driveIndex < 0 || driveIndex >= kDriveSlots)
        return nullptr;
    DriveRecord& drive = section.drives[driveIndex];
    switch (id) {
    case Condition::DriveCapacityNotify: return &drive.capacityNotify;
    case Condition::DriveAccessErrorNotify: return &drive.accessErrorNotify;
    default: return &drive.threshold;
    }
}

uint32_t ConditionValue(WatchSectionLayout& section, Condition id, int driveIndex)
{
    const uint32_t* field = ConditionField(section, id, driveIndex);
    if (!field)
        return 0;
    const uint32_t value = LoadWord(*field);
    return IsValidCondition(id, value) ? value : RuleOf(id).defaultValue;
}

void SetDefaultConditions(WatchSectionLayout& section)
{
    for (const ConditionRule& rule : kRules) {
        if (!rule.perDrive) {
            StoreWord(*ConditionField(section, rule.id, 0), rule.defaultValue);
            continue;
        }
        for (int drive = 0; drive < kDriveSlots; ++drive)
            StoreWord(*ConditionField(section, rule.id, drive), rule.defaultValue);
    }
}

}  // namespace tidemark
