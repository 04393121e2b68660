#include "platform/vendor/swap_space.h"

#include <windows.h>

#include "platform/vendor/attribute_catalogue.h"

namespace vendor {

SwapFigures SwapFromPageFile(uint64_t totalBytes, uint64_t availableBytes)
{
    SwapFigures figures;
    figures.totalKB = static_cast<int64_t>(totalBytes / 1024);
    figures.freeKB = static_cast<int64_t>((availableBytes < totalBytes ? availableBytes : totalBytes) / 1024);
    return figures;
}

bool ReadSwapValue(uint32_t key, uint32_t attribute, Value* out)
{
    if (key != 0 || (attribute != 1 && attribute != 2))
        return false;
    MEMORYSTATUS status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    const SwapFigures figures = SwapFromPageFile(status.dwTotalPageFile, status.dwAvailPageFile);
    *out = IntegerValue(attribute == 1 ? figures.totalKB : figures.freeKB);
    return true;
}

}  // namespace vendor
