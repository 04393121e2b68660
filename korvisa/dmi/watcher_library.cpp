#include "korvisa/dmi/watcher_library.h"

namespace korvisa::dmi {

namespace {
WatcherEntries g_entries;
bool g_loaded = false;
}  // namespace

WatcherEntries WatcherLibrary()
{
    if (!g_loaded) {
        g_loaded = true;
        if (HMODULE library = ::LoadLibraryA("tidemark.dll")) {
            g_entries.get = reinterpret_cast<WatcherGet>(
                reinterpret_cast<void*>(::GetProcAddress(library, MAKEINTRESOURCEA(1))));
            g_entries.set = reinterpret_cast<WatcherSet>(
                reinterpret_cast<void*>(::GetProcAddress(library, MAKEINTRESOURCEA(2))));
        }
    }
    return g_entries;
}

void SetWatcherEntries(const WatcherEntries& entries)
{
    g_entries = entries;
    g_loaded = true;
}

}  // namespace korvisa::dmi
