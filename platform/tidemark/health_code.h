// The health error code: one two-bit state per sensor group over the base
// 0x500 (temperature bits 0-1, fan 2-3, voltage 4-5; 1 abnormal, 2 not
// monitored, 3 cannot monitor, 0 nothing to report).
#pragma once

#include <cstdint>

namespace tidemark {

constexpr unsigned long kHealthBase = 0x500;
constexpr uint32_t kHealthGroupBits = 0x3F;

// Merges a code handed to SetHelErrCode into the stored group bits:
//  - 0 and 0x500 clear every group;
//  - 0x540, 0x580, 0x5C0 clear the temperature, fan or voltage group;
//  - any other 0x5nn with n in 0x01..0x3F replaces each group whose two bits
//    in it are non-zero and leaves the other groups as they are (0x503 sets
//    temperature to "cannot monitor" only; 0x53F sets all three).
// Anything else (a code outside 0x500-0x5FF, or a clearing code with group
// bits as well) is refused: false, *merged untouched.
bool MergeHealthCode(uint32_t groups, unsigned long code, uint32_t* merged);

// The code that GetHelErrCode reports for the stored group bits.
unsigned long HealthCodeOf(uint32_t groups);

}  // namespace tidemark
