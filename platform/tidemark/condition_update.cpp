#include "platform/tidemark/condition_update.h"

#include "platform/tidemark/condition_store.h"
#include "platform/tidemark/section_lock.h"
#include "platform/tidemark/section_state.h"

namespace tidemark {

ConditionWrite WriteCondition(WatchSectionLayout& section, Condition id, int driveIndex, uint32_t value)
{
    uint32_t* field = ConditionField(section, id, driveIndex);
    if (!field || !IsValidCondition(id, value))
        return ConditionWrite::OutOfRange;
    if (!EnsureSectionReady(section))
        return ConditionWrite::Unavailable;
    SectionLock lock;
    if (!lock.Held())
        return ConditionWrite::Unavailable;
    if (!ActiveConditionStore().Write(id, driveIndex, value))
        return ConditionWrite::NotPersisted;
    StoreWord(*field, value);
    return ConditionWrite::Stored;
}

}  // namespace tidemark
