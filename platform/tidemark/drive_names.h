// Drive names as the watcher passes them ("c:", a letter and a colon) and the
// list of drives it watches.
#pragma once

#include <cstdint>

namespace tidemark {

constexpr int kMaxDrives = 26;
constexpr unsigned kDriveTypeFixed = 3;   // DRIVE_FIXED

// 0..25 for "a:".."z:" (either case; anything may follow the colon, so "C:\"
// is drive c as well); -1 for null, an empty text or anything else.
int DriveIndexOf(const char* drive);

// "c:" and its terminator for index 2: 3 bytes. False for an index outside
// 0..25 (out untouched).
bool FormatDriveName(int index, char out[3]);

struct DriveList {
    int count;
    int index[kMaxDrives];   // drive index (0 = a) of each entry, ascending
};

// The fixed drives among those whose bit (bit 0 = a) is set in logicalMask,
// in letter order; driveTypes holds the type of each drive letter.
DriveList SelectFixedDrives(uint32_t logicalMask, const unsigned driveTypes[kMaxDrives]);

}  // namespace tidemark
