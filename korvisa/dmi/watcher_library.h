// The watcher's settings library as the viewer sees it: two entry points,
// read and write one (group, attribute, key) value of the watcher.
#pragma once
#include <windows.h>

#include <cstdint>

namespace korvisa::dmi {

// Ordinal 1: reads a value into buffer; *length is the buffer size on entry
// and the value's length on return. 0 is success.
using WatcherGet = ULONG(WINAPI*)(ULONG group, ULONG attribute, ULONG key, void* buffer, ULONG* length,
                                  ULONG* scratch);
// Ordinal 2: writes a value of `length` bytes and kind (1 = integer). 0 is success.
using WatcherSet = ULONG(WINAPI*)(ULONG group, ULONG attribute, ULONG key, const void* value, ULONG length,
                                  ULONG kind);

struct WatcherEntries {
    WatcherGet get = nullptr;
    WatcherSet set = nullptr;
};

// The library's entries, loaded on first use from the program's folder
// (tidemark.dll); both null when it cannot be loaded.
WatcherEntries WatcherLibrary();
// Replaces the entries (for tests).
void SetWatcherEntries(const WatcherEntries& entries);

}  // namespace korvisa::dmi
