#include "bramble/app/ci_link.h"

#include "bramble/serving/ci_entry_points.h"

namespace bramble {

const CiEntryPoints* ServingEntryPoints() { return &EntryPoints(); }
void ServingSetMainWindow(HWND window) { SetMainWindow(window); }
void ServingRefresh(UINT message) { HandleRefreshMessage(message); }
void ServingInvalidateCaches() { InvalidateCaches(); }
bool ServingFullProbe() { return RunFullProbe(); }

}  // namespace bramble
