#include "platform/tidemark/watch_acs.h"

#include <type_traits>

#include "platform/tidemark/drive_names.h"
#include "platform/tidemark/health_code.h"
#include "platform/tidemark/module_launch.h"
#include "platform/tidemark/section_lock.h"
#include "platform/tidemark/section_state.h"
#include "platform/tidemark/system_facts.h"
#include "platform/tidemark/watch_conditions.h"

using namespace tidemark;

static_assert(std::is_standard_layout<WatchAcs>::value, "the section is the object's first byte");

namespace tidemark {

WatchSectionLayout& SectionOf(WatchAcs& acs)
{
    return *reinterpret_cast<WatchSectionLayout*>(&acs);
}

WatchAcs& AcsOf(WatchSectionLayout& section)
{
    return *reinterpret_cast<WatchAcs*>(&section);
}

}  // namespace tidemark

namespace {

constexpr unsigned long kHighestLevel = 2;

unsigned long Read(WatchSectionLayout& section, const uint32_t& field)
{
    return EnsureSectionReady(section) ? LoadWord(field) : 0;
}

unsigned long ReadCondition(WatchSectionLayout& section, Condition id, int driveIndex = 0)
{
    return EnsureSectionReady(section) ? ConditionValue(section, id, driveIndex) : 0;
}

unsigned long ReadDriveCondition(WatchSectionLayout& section, Condition id, const char* drive)
{
    const int index = DriveIndexOf(drive);
    return index < 0 ? 0 : ReadCondition(section, id, index);
}

unsigned long Store(WatchSectionLayout& section, uint32_t& field, unsigned long value)
{
    if (!EnsureSectionReady(section))
        return 0;
    SectionLock lock;
    if (!lock.Held())
        return 0;
    StoreWord(field, static_cast<uint32_t>(value));
    return 1;
}

unsigned long StoreLevel(WatchSectionLayout& section, Monitor monitor, unsigned long level)
{
    return level <= kHighestLevel ? Store(section, section.alarmLevel[monitor], level) : 0;
}

DriveRecord* DriveOf(WatchSectionLayout& section, const char* drive)
{
    int index = DriveIndexOf(drive);
    return index < 0 ? nullptr : &section.drives[index];
}

}  // namespace

// Common.

unsigned long WatchAcs::GetWatch() { return ReadCondition(section_, Condition::Watch); }
unsigned long WatchAcs::GetDlgNtf() { return ReadCondition(section_, Condition::DialogNotify); }
unsigned long WatchAcs::GetThreadID() { return Read(section_, section_.threadId); }

int WatchAcs::ExecuteModule(const char* path, const char* args)
{
    return StartModule(path, args) ? 1 : 0;
}

// Printer.

unsigned long WatchAcs::GetPriCycle() { return ReadCondition(section_, Condition::PrinterCycle); }
unsigned long WatchAcs::GetPriAlmLvl() { return Read(section_, section_.alarmLevel[kPrinter]); }
unsigned long WatchAcs::SetPriAlmLvl(unsigned long level) { return StoreLevel(section_, kPrinter, level); }
unsigned long WatchAcs::GetPriErrCode() { return Read(section_, section_.printerError); }
unsigned long WatchAcs::SetPriErrCode(unsigned long code) { return Store(section_, section_.printerError, code); }
unsigned long WatchAcs::GetPriComplete() { return ReadCondition(section_, Condition::PrinterComplete); }
unsigned long WatchAcs::GetPriPaper() { return ReadCondition(section_, Condition::PrinterPaper); }
unsigned long WatchAcs::GetPriOffline() { return ReadCondition(section_, Condition::PrinterOffline); }
unsigned long WatchAcs::SetPriCondit(unsigned long value) { return Store(section_, section_.printerCondition, value); }
unsigned long WatchAcs::GetPriCondit() { return Read(section_, section_.printerCondition); }

// Memory.

unsigned long WatchAcs::GetMemCycle() { return ReadCondition(section_, Condition::MemoryCycle); }
unsigned long WatchAcs::GetMemAlmLvl() { return Read(section_, section_.alarmLevel[kMemory]); }
unsigned long WatchAcs::SetMemAlmLvl(unsigned long level) { return StoreLevel(section_, kMemory, level); }
unsigned long WatchAcs::GetMemErrCode() { return Read(section_, section_.memoryError); }
unsigned long WatchAcs::SetMemErrCode(unsigned long code) { return Store(section_, section_.memoryError, code); }
unsigned long WatchAcs::GetMemNtfCnd() { return ReadCondition(section_, Condition::MemoryNotify); }
unsigned long WatchAcs::GetMemNtfPar() { return ReadCondition(section_, Condition::MemoryThreshold); }

// Disk space.

unsigned long WatchAcs::GetDskCycle() { return ReadCondition(section_, Condition::DiskCycle); }
unsigned long WatchAcs::GetDskAlmLvl() { return Read(section_, section_.alarmLevel[kDisk]); }
unsigned long WatchAcs::SetDskAlmLvl(unsigned long level) { return StoreLevel(section_, kDisk, level); }

int WatchAcs::GetDrvList(int kind, char* buffer)
{
    const int kFixedDrives = 1;
    if (kind != kFixedDrives || !buffer)
        return 0;
    DriveList drives = CurrentFixedDrives();
    for (int i = 0; i < drives.count; ++i)
        FormatDriveName(drives.index[i], buffer + 3 * i);
    return drives.count;
}

unsigned long WatchAcs::GetDskErrCode(char* drive)
{
    DriveRecord* record = DriveOf(section_, drive);
    return record ? Read(section_, record->errorCode) : 0;
}

unsigned long WatchAcs::SetDskErrCode(char* drive, unsigned long code)
{
    DriveRecord* record = DriveOf(section_, drive);
    return record ? Store(section_, record->errorCode, code) : 0;
}

unsigned long WatchAcs::GetDskCapaNtf(char* drive)
{
    return ReadDriveCondition(section_, Condition::DriveCapacityNotify, drive);
}

unsigned long WatchAcs::GetDskAcsErrNtf(char* drive)
{
    return ReadDriveCondition(section_, Condition::DriveAccessErrorNotify, drive);
}

unsigned long WatchAcs::GetDskCndPar(char* drive)
{
    return ReadDriveCondition(section_, Condition::DriveThreshold, drive);
}

unsigned long WatchAcs::GetDskExist(char* drive)
{
    return DriveTypeOf(DriveIndexOf(drive));
}

unsigned long WatchAcs::SetErrDrv(char* drive)
{
    int index = DriveIndexOf(drive);
    return index < 0 ? 0 : Store(section_, section_.errorDrive, static_cast<unsigned long>(index) + 1);
}

unsigned long WatchAcs::GetErrDrv(char* buffer)
{
    if (!buffer)
        return 0;
    // Stored as 1..26; anything else (none, or a word another program wrote)
    // is no drive.
    const int index = static_cast<int>(Read(section_, section_.errorDrive)) - 1;
    return FormatDriveName(index, buffer) ? 1 : 0;
}

unsigned long WatchAcs::SetDskCondit(char* drive, unsigned long value)
{
    DriveRecord* record = DriveOf(section_, drive);
    return record ? Store(section_, record->condition, value) : 0;
}

unsigned long WatchAcs::GetDskCondit(char* drive)
{
    DriveRecord* record = DriveOf(section_, drive);
    return record ? Read(section_, record->condition) : 0;
}

// Health.

unsigned long WatchAcs::GetHelCycle() { return ReadCondition(section_, Condition::HealthCycle); }
unsigned long WatchAcs::GetHelAlmLvl() { return Read(section_, section_.alarmLevel[kHealth]); }
unsigned long WatchAcs::SetHelAlmLvl(unsigned long level) { return StoreLevel(section_, kHealth, level); }

unsigned long WatchAcs::GetHelErrCode()
{
    return EnsureSectionReady(section_) ? HealthCodeOf(LoadWord(section_.healthGroups)) : 0;
}

unsigned long WatchAcs::SetHelErrCode(unsigned long code)
{
    if (!EnsureSectionReady(section_))
        return 0;
    // Read, merge and write under the lock, so two writers cannot lose each
    // other's group.
    SectionLock lock;
    if (!lock.Held())
        return 0;
    uint32_t merged = 0;
    if (!MergeHealthCode(LoadWord(section_.healthGroups), code, &merged))
        return 0;
    StoreWord(section_.healthGroups, merged);
    return 1;
}

unsigned long WatchAcs::GetTempNtf() { return ReadCondition(section_, Condition::TemperatureNotify); }
unsigned long WatchAcs::GetFanNtf() { return ReadCondition(section_, Condition::FanNotify); }
unsigned long WatchAcs::GetVoltNtf() { return ReadCondition(section_, Condition::VoltageNotify); }

// Disk failure prediction.

unsigned long WatchAcs::GetSmtCycle() { return ReadCondition(section_, Condition::SmartCycle); }
unsigned long WatchAcs::GetSmtAlmLvl() { return Read(section_, section_.alarmLevel[kSmart]); }
unsigned long WatchAcs::SetSmtAlmLvl(unsigned long level) { return StoreLevel(section_, kSmart, level); }
unsigned long WatchAcs::GetSmtErrCode() { return Read(section_, section_.smartError); }
unsigned long WatchAcs::SetSmtErrCode(unsigned long code) { return Store(section_, section_.smartError, code); }
