#include "platform/tidemark/system_facts.h"

#include <windows.h>

namespace tidemark {

SwapFigures SwapFiguresFrom(uint64_t totalBytes, uint64_t availableBytes)
{
    const uint64_t mb = 1024 * 1024;
    SwapFigures figures;
    figures.totalMb = static_cast<uint32_t>(totalBytes / mb);
    figures.usedMb = availableBytes >= totalBytes ? 0 : static_cast<uint32_t>((totalBytes - availableBytes) / mb);
    return figures;
}

unsigned DriveTypeOf(int driveIndex)
{
    if (driveIndex < 0 || driveIndex >= kMaxDrives)
        return DRIVE_NO_ROOT_DIR;
    char root[] = "a:\\";
    root[0] = static_cast<char>('a' + driveIndex);
    return ::GetDriveTypeA(root);
}

DriveList CurrentFixedDrives()
{
    const uint32_t mask = ::GetLogicalDrives();
    unsigned types[kMaxDrives] = {};
    for (int i = 0; i < kMaxDrives; ++i) {
        if (mask & (1u << i))
            types[i] = DriveTypeOf(i);
    }
    return SelectFixedDrives(mask, types);
}

SwapFigures CurrentSwapFigures()
{
    MEMORYSTATUS status = {};
    status.dwLength = sizeof status;
    ::GlobalMemoryStatus(&status);
    return SwapFiguresFrom(status.dwTotalPageFile, status.dwAvailPageFile);
}

SystemFacts CurrentSystemFacts()
{
    SystemFacts facts;
    facts.drives = CurrentFixedDrives();
    facts.swap = CurrentSwapFigures();
    return facts;
}

}  // namespace tidemark
