#include "platform/tidemark/section_state.h"

#include <windows.h>

#include "platform/tidemark/condition_store.h"
#include "platform/tidemark/section_lock.h"
#include "platform/tidemark/watch_conditions.h"

namespace tidemark {

bool SectionIsCurrent(const WatchSectionLayout& section)
{
    return LoadWord(section.magic) == kSectionMagic && LoadWord(section.version) == kLayoutVersion &&
           LoadWord(section.size) == kSectionSize;
}

void ResetSection(WatchSectionLayout& section, uint32_t threadId)
{
    StoreWord(section.version, 0);
    volatile unsigned char* bytes = reinterpret_cast<volatile unsigned char*>(&section);
    for (uint32_t i = 0; i < kSectionSize; ++i)
        bytes[i] = 0;
    StoreWord(section.magic, kSectionMagic);
    StoreWord(section.size, kSectionSize);
    StoreWord(section.threadId, threadId);

    SetDefaultConditions(section);

    for (uint32_t& level : section.alarmLevel)
        StoreWord(level, kLevelNotMonitored);
    StoreWord(section.printerError, kPrinterNotMonitored);
    StoreWord(section.memoryError, kMemoryNotMonitored);
    StoreWord(section.smartError, kSmartNotMonitored);
    StoreWord(section.healthGroups, kHealthAllNotMonitored);
    for (DriveRecord& drive : section.drives) {
        StoreWord(drive.errorCode, kDiskNotMonitored);
        StoreWord(drive.condition, kDiskNotMonitored);
    }
}

void PublishSection(WatchSectionLayout& section)
{
    // A full barrier: every field is in place before the version word says so.
    ::InterlockedExchange(reinterpret_cast<volatile LONG*>(&section.version), static_cast<LONG>(kLayoutVersion));
}

bool EnsureSectionReady(WatchSectionLayout& section)
{
    if (SectionIsCurrent(section))
        return true;
    SectionLock lock;
    if (!lock.Held())
        return false;
    if (SectionIsCurrent(section))   // another process got there first
        return true;
    ResetSection(section, ::GetCurrentThreadId());
    LoadConditions(section, ActiveConditionStore());
    PublishSection(section);
    return true;
}

}  // namespace tidemark
