#include "bramble/app/ci_link.h"

#include "bramble/serving/ci_entry_points.h"
#include "bramble/serving/fru_table.h"

namespace bramble {

const CiEntryPoints* ServingEntryPoints() { return &EntryPoints(); }
void ServingSetMainWindow(HWND window) { SetMainWindow(window); }
void ServingRefresh(UINT message) { HandleRefreshMessage(message); }
void ServingInvalidateCaches() { InvalidateCaches(); }
bool ServingFullProbe() { return RunFullProbe(); }
bool ServingApplyPendingClock() { return ApplyPendingClock(); }

void ServingLoadFruTable(const char* installDir)
{
    const std::string path = FruTablePath(installDir);
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    TheFruTable().Load(path.c_str());
    InvalidateCaches();
}

bool ServingStoreFruTable(const char* installDir, std::string* path, DWORD* error)
{
    *path = FruTablePath(installDir);
    return TheFruTable().Store(path->c_str(), error);
}

}  // namespace bramble
