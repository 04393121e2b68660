// Whether a section can be used as it is, and making it usable: a section
// that is new (all zero), of an older layout or not ours at all is filled
// again from scratch, its conditions from the registry.
#pragma once

#include <cstdint>

#include "platform/tidemark/watch_section.h"

namespace tidemark {

// Initial state values: nothing is monitored until the watcher says so.
constexpr uint32_t kDiskNotMonitored = 0x104;
constexpr uint32_t kMemoryNotMonitored = 0x202;
constexpr uint32_t kPrinterNotMonitored = 0x306;
constexpr uint32_t kSmartNotMonitored = 0x401;
constexpr uint32_t kHealthAllNotMonitored = 0x2A;   // 2 in each of the three groups
constexpr uint32_t kLevelNotMonitored = 2;

// Magic, version and size words all as this library writes them.
bool SectionIsCurrent(const WatchSectionLayout& section);

// Every byte rewritten: identification words (the version word stays 0),
// default conditions, the initial state. threadId is kept for GetThreadID.
void ResetSection(WatchSectionLayout& section, uint32_t threadId);

// Marks a reset section as ready (the version word, written last).
void PublishSection(WatchSectionLayout& section);

// Makes the section usable if it is not: under the section lock, reset it and
// load the conditions from the active store, then publish. False when the
// lock could not be had and the section is not usable.
bool EnsureSectionReady(WatchSectionLayout& section);

}  // namespace tidemark
