// What the section does not hold but the watcher's attributes show: the PC's
// drives and its swap figures, read from the system when asked.
#pragma once

#include <cstdint>

#include "platform/tidemark/drive_names.h"

namespace tidemark {

struct SwapFigures {
    uint32_t totalMb;   // size of the page file
    uint32_t usedMb;    // in use now
};

// Page-file bytes as the system reports them, in MB. Available at or above
// the total (Windows 9x and Wine report that) means nothing is in use.
SwapFigures SwapFiguresFrom(uint64_t totalBytes, uint64_t availableBytes);

struct SystemFacts {
    DriveList drives;
    SwapFigures swap;
};

// The fixed drives of the PC now (GetLogicalDrives, GetDriveTypeA).
DriveList CurrentFixedDrives();
// GetDriveTypeA of the drive's root; DRIVE_NO_ROOT_DIR (1) for an index
// outside 0..25.
unsigned DriveTypeOf(int driveIndex);
SwapFigures CurrentSwapFigures();
SystemFacts CurrentSystemFacts();

}  // namespace tidemark
