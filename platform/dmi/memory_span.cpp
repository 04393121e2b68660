#include "platform/dmi/memory_span.h"

#include <windows.h>

#include <cstdint>

namespace service {

size_t AccessibleBytes(const void* start, size_t wanted, bool forWriting)
{
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    const DWORD writable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    const uintptr_t begin = reinterpret_cast<uintptr_t>(start);
    size_t have = 0;
    while (have < wanted) {
        MEMORY_BASIC_INFORMATION info;
        if (!::VirtualQuery(reinterpret_cast<const void*>(begin + have), &info, sizeof info) ||
            info.State != MEM_COMMIT || (info.Protect & PAGE_GUARD) != 0 ||
            (info.Protect & (forWriting ? writable : readable)) == 0)
            break;
        const uintptr_t regionEnd = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
        if (regionEnd <= begin + have)
            break;   // the top of the address space
        have = regionEnd - begin;
    }
    return have < wanted ? have : wanted;
}

bool IsCode(const void* address)
{
    MEMORY_BASIC_INFORMATION info;
    return ::VirtualQuery(address, &info, sizeof info) && info.State == MEM_COMMIT &&
           (info.Protect & PAGE_GUARD) == 0 &&
           (info.Protect & (PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

}  // namespace service
