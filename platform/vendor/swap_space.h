// Group 6, the swap space: total and free, in KB, from the page-file figures
// of GlobalMemoryStatus.
#pragma once

#include <cstdint>

#include "platform/vendor/vendor_values.h"

namespace vendor {

struct SwapFigures {
    int64_t totalKB = 0;
    int64_t freeKB = 0;
};

// The page-file figures in bytes as the system reports them, in KB. Windows
// 9x and Wine report more available than total: that means nothing is used,
// so free is never more than total.
SwapFigures SwapFromPageFile(uint64_t totalBytes, uint64_t availableBytes);

// Attribute 1 total, 2 free (KB).
bool ReadSwapValue(uint32_t key, uint32_t attribute, Value* out);

}  // namespace vendor
