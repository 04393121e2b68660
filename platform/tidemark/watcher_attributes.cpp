#include "platform/tidemark/watcher_attributes.h"

#include <cstring>

#include "platform/tidemark/condition_update.h"
#include "platform/tidemark/drive_names.h"
#include "platform/tidemark/section_state.h"
#include "platform/tidemark/watch_conditions.h"

namespace tidemark {

namespace {

enum class Source {
    ScalarMember,    // a WatchAcs getter without arguments
    DriveMember,     // a WatchAcs getter of a drive
    ConditionField,  // a condition no member reads
    RowKey,          // the table's key attribute
    DriveName,
    SwapTotal,
    SwapUsed,
};

using ScalarGetter = unsigned long (WatchAcs::*)();
using DriveGetter = unsigned long (WatchAcs::*)(char*);

struct Binding {
    unsigned long group;
    unsigned long attribute;
    Source source;
    ScalarGetter scalarGetter;
    DriveGetter driveGetter;
    bool writable;
    Condition condition;   // when writable, or for Source::ConditionField
};

constexpr unsigned long kDriveGroup = 2;

// Condition::Watch stands in for "none" where writable is false.
const Binding kBindings[] = {
    {1, 1, Source::ScalarMember, &WatchAcs::GetWatch, nullptr, true, Condition::Watch},
    {1, 2, Source::ScalarMember, &WatchAcs::GetDlgNtf, nullptr, true, Condition::DialogNotify},
    {1, 3, Source::ConditionField, nullptr, nullptr, true, Condition::SoundNotify},
    {2, 1, Source::RowKey, nullptr, nullptr, false, Condition::Watch},
    {2, 2, Source::DriveName, nullptr, nullptr, false, Condition::Watch},
    {2, 3, Source::DriveMember, nullptr, &WatchAcs::GetDskCapaNtf, true, Condition::DriveCapacityNotify},
    {2, 4, Source::DriveMember, nullptr, &WatchAcs::GetDskCndPar, true, Condition::DriveThreshold},
    {2, 6, Source::DriveMember, nullptr, &WatchAcs::GetDskAcsErrNtf, true, Condition::DriveAccessErrorNotify},
    {2, 8, Source::DriveMember, nullptr, &WatchAcs::GetDskErrCode, false, Condition::Watch},
    {3, 1, Source::ScalarMember, &WatchAcs::GetMemNtfCnd, nullptr, true, Condition::MemoryNotify},
    {3, 2, Source::ScalarMember, &WatchAcs::GetMemNtfPar, nullptr, true, Condition::MemoryThreshold},
    {3, 3, Source::SwapTotal, nullptr, nullptr, false, Condition::Watch},
    {3, 4, Source::SwapUsed, nullptr, nullptr, false, Condition::Watch},
    {3, 5, Source::ScalarMember, &WatchAcs::GetMemErrCode, nullptr, false, Condition::Watch},
    {4, 1, Source::ScalarMember, &WatchAcs::GetPriComplete, nullptr, true, Condition::PrinterComplete},
    {4, 2, Source::ScalarMember, &WatchAcs::GetPriPaper, nullptr, true, Condition::PrinterPaper},
    {4, 3, Source::ScalarMember, &WatchAcs::GetPriOffline, nullptr, true, Condition::PrinterOffline},
    {4, 5, Source::ScalarMember, &WatchAcs::GetPriErrCode, nullptr, false, Condition::Watch},
    {6, 1, Source::ScalarMember, &WatchAcs::GetSmtErrCode, nullptr, false, Condition::Watch},
    {8, 1, Source::ScalarMember, &WatchAcs::GetTempNtf, nullptr, true, Condition::TemperatureNotify},
    {8, 2, Source::ScalarMember, &WatchAcs::GetFanNtf, nullptr, true, Condition::FanNotify},
    {8, 3, Source::ScalarMember, &WatchAcs::GetVoltNtf, nullptr, true, Condition::VoltageNotify},
    {8, 4, Source::ScalarMember, &WatchAcs::GetHelErrCode, nullptr, false, Condition::Watch},
};

const Binding* FindBinding(unsigned long group, unsigned long attribute)
{
    for (const Binding& binding : kBindings) {
        if (binding.group == group && binding.attribute == attribute)
            return &binding;
    }
    return nullptr;
}

// The drive index (0 = a) of the row that key names in the drive table, -1
// when none; for scalar groups only key 0 names the (one) row, given as 0.
int RowOf(const Binding& binding, const SystemFacts& facts, unsigned long key)
{
    if (binding.group != kDriveGroup)
        return key == 0 ? 0 : -1;
    if (key < 1 || key > static_cast<unsigned long>(facts.drives.count))
        return -1;
    return facts.drives.index[key - 1];
}

unsigned long IntegerValue(const Binding& binding, WatchAcs& acs, const SystemFacts& facts, int row,
                           unsigned long key)
{
    char drive[3] = {};
    switch (binding.source) {
    case Source::ScalarMember:
        return (acs.*binding.scalarGetter)();
    case Source::DriveMember:
        FormatDriveName(row, drive);
        return (acs.*binding.driveGetter)(drive);
    case Source::ConditionField:
        return ConditionValue(SectionOf(acs), binding.condition, row);
    case Source::RowKey:
        return key;
    case Source::SwapTotal:
        return facts.swap.totalMb;
    case Source::SwapUsed:
        return facts.swap.usedMb;
    case Source::DriveName:
        break;
    }
    return 0;
}

}  // namespace

unsigned long GetWatcherAttribute(WatchAcs& acs, const SystemFacts& facts, unsigned long group,
                                  unsigned long attribute, unsigned long key, void* buffer, unsigned long* length,
                                  unsigned long* type)
{
    const Binding* binding = FindBinding(group, attribute);
    if (!binding)
        return kAttributeUnknown;
    if (!length)
        return kAttributeBadArgument;
    const int row = RowOf(*binding, facts, key);
    if (row < 0)
        return kAttributeNoRow;
    if (!EnsureSectionReady(SectionOf(acs)))
        return kAttributeUnavailable;

    char text[3] = {};
    uint32_t number = 0;
    const void* value = &number;
    unsigned long needed = sizeof number;
    unsigned long dmiType = kDmiInteger;
    if (binding->source == Source::DriveName) {
        FormatDriveName(row, text);
        value = text;
        needed = static_cast<unsigned long>(std::strlen(text));
        dmiType = kDmiDisplayString;
    } else {
        number = static_cast<uint32_t>(IntegerValue(*binding, acs, facts, row, key));
    }

    if (*length < needed) {
        *length = needed;
        return kAttributeBufferTooSmall;
    }
    if (!buffer)
        return kAttributeBadArgument;
    std::memcpy(buffer, value, needed);
    if (dmiType == kDmiDisplayString && *length > needed)
        static_cast<char*>(buffer)[needed] = '\0';
    *length = needed;
    if (type)
        *type = dmiType;
    return kAttributeOk;
}

unsigned long SetWatcherAttribute(WatchAcs& acs, const SystemFacts& facts, unsigned long group,
                                  unsigned long attribute, unsigned long key, const void* value,
                                  unsigned long length, unsigned long kind)
{
    const Binding* binding = FindBinding(group, attribute);
    if (!binding)
        return kAttributeUnknown;
    if (!value || kind != kIntegerKind || length != sizeof(uint32_t))
        return kAttributeBadArgument;
    if (!binding->writable)
        return kAttributeReadOnly;
    const int row = RowOf(*binding, facts, key);
    if (row < 0)
        return kAttributeNoRow;
    uint32_t number = 0;
    std::memcpy(&number, value, sizeof number);
    switch (WriteCondition(SectionOf(acs), binding->condition, row, number)) {
    case ConditionWrite::Stored: return kAttributeOk;
    case ConditionWrite::OutOfRange: return kAttributeBadValue;
    case ConditionWrite::NotPersisted: return kAttributeNotStored;
    case ConditionWrite::Unavailable: break;
    }
    return kAttributeUnavailable;
}

}  // namespace tidemark
