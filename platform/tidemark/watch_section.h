// The layout of the shared section "WatchAcsObj": the watcher's settings
// (conditions) and state (alarm levels, error codes), 884 bytes.
//
// The section is a WatchAcs object: every process maps all of it and calls the
// members on the view, so this layout is the object's only data. All fields
// are little-endian 32-bit words on 4-byte boundaries, so a single word is
// read and written whole by every process without a lock.
//
//  offset size  field
//       0    4  magic            0x4B4D4454 ("TDMK"): the section is ours
//       4    4  version          kLayoutVersion; written last when the section
//                                is (re)initialised, so 0 means "not ready"
//       8    4  size             884
//      12    4  threadId         id of the thread that initialised the section
//  Conditions: written by the viewer, kept in the registry, loaded at first use
//      16    4  watch            monitoring on (1) or off (0)
//      20    4  dialogNotify     notify by message box
//      24    4  soundNotify      notify by sound (kept for the viewer only)
//      28   20  cycle[5]         check period in ms per monitor (0: watcher's default)
//      48    4  printerComplete  notify when printing has completed
//      52    4  printerPaper     notify when paper runs out
//      56    4  printerOffline   notify when the printer goes off line
//      60    4  memoryNotify     notify when swap use reaches the threshold
//      64    4  memoryThreshold  swap threshold, percent used
//      68    4  temperatureNotify
//      72    4  fanNotify
//      76    4  voltageNotify
//  State: written by the watcher, lives only here
//      80   20  alarmLevel[5]    per monitor: 0 normal, 1 alarm, 2 not monitored
//     100    4  printerError     printer error code (0x3nn or 0)
//     104    4  printerCondition what the printer thread last reported
//     108    4  memoryError      swap error code (0x2nn or 0)
//     112    4  smartError       failure-prediction error code (0x4nn or 0)
//     116    4  healthGroups     two bits per health group (temperature 0-1,
//                                fan 2-3, voltage 4-5); only bits 0-5 are used
//     120    4  errorDrive       last drive reported below its threshold, 1..26
//                                for a..z, 0 for none
//     124    4  reserved
//     128  520  drives[26]       one DriveRecord per drive letter a..z:
//                                 +0 capacityNotify     condition
//                                 +4 accessErrorNotify  condition
//                                 +8 threshold          condition, percent free
//                                +12 errorCode          state (0x1nn or 0)
//                                +16 condition          state (SetDskCondit)
//     648  236  reserved         zero
//
// A section whose magic, version or size word differs (an older layout, or a
// section of that name made by someone else) is initialised again from the
// registry before any field is used; its contents are never interpreted.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tidemark {

constexpr char kSectionName[] = "WatchAcsObj";
constexpr uint32_t kSectionSize = 884;
constexpr uint32_t kSectionMagic = 0x4B4D4454;
constexpr uint32_t kLayoutVersion = 1;
constexpr int kDriveSlots = 26;

// Index of a monitor in the per-monitor arrays.
enum Monitor { kPrinter = 0, kMemory = 1, kDisk = 2, kHealth = 3, kSmart = 4, kMonitorCount = 5 };

struct DriveRecord {
    uint32_t capacityNotify;
    uint32_t accessErrorNotify;
    uint32_t threshold;
    uint32_t errorCode;
    uint32_t condition;
};

struct WatchSectionLayout {
    uint32_t magic;
    uint32_t version;
    uint32_t size;
    uint32_t threadId;

    uint32_t watch;
    uint32_t dialogNotify;
    uint32_t soundNotify;
    uint32_t cycle[kMonitorCount];
    uint32_t printerComplete;
    uint32_t printerPaper;
    uint32_t printerOffline;
    uint32_t memoryNotify;
    uint32_t memoryThreshold;
    uint32_t temperatureNotify;
    uint32_t fanNotify;
    uint32_t voltageNotify;

    uint32_t alarmLevel[kMonitorCount];
    uint32_t printerError;
    uint32_t printerCondition;
    uint32_t memoryError;
    uint32_t smartError;
    uint32_t healthGroups;
    uint32_t errorDrive;
    uint32_t reserved0;

    DriveRecord drives[kDriveSlots];
    unsigned char reserved[236];
};

static_assert(sizeof(DriveRecord) == 20, "drive record is 20 bytes");
static_assert(offsetof(WatchSectionLayout, watch) == 16, "layout");
static_assert(offsetof(WatchSectionLayout, cycle) == 28, "layout");
static_assert(offsetof(WatchSectionLayout, printerComplete) == 48, "layout");
static_assert(offsetof(WatchSectionLayout, voltageNotify) == 76, "layout");
static_assert(offsetof(WatchSectionLayout, alarmLevel) == 80, "layout");
static_assert(offsetof(WatchSectionLayout, printerError) == 100, "layout");
static_assert(offsetof(WatchSectionLayout, healthGroups) == 116, "layout");
static_assert(offsetof(WatchSectionLayout, errorDrive) == 120, "layout");
static_assert(offsetof(WatchSectionLayout, drives) == 128, "layout");
static_assert(offsetof(WatchSectionLayout, reserved) == 648, "layout");
static_assert(sizeof(WatchSectionLayout) == kSectionSize, "the section is 884 bytes");

// Another process may write any word at any time: read and write each one
// exactly once, never from a cached copy.
inline uint32_t LoadWord(const uint32_t& word)
{
    return *static_cast<const volatile uint32_t*>(&word);
}

inline void StoreWord(uint32_t& word, uint32_t value)
{
    *static_cast<volatile uint32_t*>(&word) = value;
}

}  // namespace tidemark
