// The two plain entry points of tidemark.dll, for programs that load it by
// ordinal: 1 reads and 2 writes one (group, attribute, key) value of the
// watcher (watcher_attributes.h has the values and the results; 0 is
// success). Both are standard-call functions with undecorated names.
#pragma once

#include <windows.h>

extern "C" {

// Ordinal 1. *length: the buffer size on entry, the value's length on return
// (or the length needed, when the buffer is too small). *scratch receives the
// value's DMI type (5 integer, 8 display string) and may be null.
unsigned long WINAPI WatchGetAttribute(unsigned long group, unsigned long attribute, unsigned long key,
                                       void* buffer, unsigned long* length, unsigned long* scratch);

// Ordinal 2. kind 1 (integer) with length 4 is the only value accepted.
unsigned long WINAPI WatchSetAttribute(unsigned long group, unsigned long attribute, unsigned long key,
                                       const void* value, unsigned long length, unsigned long kind);
}

using WatchGetAttributeEntry = unsigned long(WINAPI*)(unsigned long, unsigned long, unsigned long, void*,
                                                      unsigned long*, unsigned long*);
using WatchSetAttributeEntry = unsigned long(WINAPI*)(unsigned long, unsigned long, unsigned long, const void*,
                                                      unsigned long, unsigned long);

constexpr WORD kWatchGetAttributeOrdinal = 1;
constexpr WORD kWatchSetAttributeOrdinal = 2;
