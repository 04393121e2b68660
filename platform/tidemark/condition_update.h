// A condition written from the viewer's side: kept in the registry first,
// then put in the section, so the watcher sees only what will also be there
// after the next start.
#pragma once

#include <cstdint>

#include "platform/tidemark/watch_conditions.h"
#include "platform/tidemark/watch_section.h"

namespace tidemark {

enum class ConditionWrite {
    Stored,
    OutOfRange,     // not a valid value for the condition: nothing changed
    NotPersisted,   // the registry refused it: nothing changed
    Unavailable,    // the section could not be made usable or locked
};

// driveIndex 0..25 for per-drive conditions, ignored for the others.
ConditionWrite WriteCondition(WatchSectionLayout& section, Condition id, int driveIndex, uint32_t value);

}  // namespace tidemark
