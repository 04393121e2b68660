// Group 18, the media: one row per drive letter in use, keyed by the drive's
// number (A: 1 to Z: 26). Attribute 2 the drive letter, 3 the total and 4 the
// free capacity in KB, 5 the file system, 6 the volume name, 7 the media type
// as a decimal text: 1 hard disk, 2 floppy disk, 3 CD-ROM, 4 network drive,
// 0 anything else.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/vendor/vendor_values.h"

namespace vendor {

// KB in clusters of the given geometry, multiplied in 64 bits (a large volume
// overflows 32; an answer too large even for 64 bits saturates).
uint64_t KilobytesOfClusters(uint32_t clusters, uint32_t sectorsPerCluster, uint32_t bytesPerSector);

// The media type number of a GetDriveType answer.
int MediaTypeOfDrive(unsigned driveType);

std::vector<uint32_t> ReadDriveRows();
bool ReadDriveValue(uint32_t key, uint32_t attribute, Value* out);

}  // namespace vendor
