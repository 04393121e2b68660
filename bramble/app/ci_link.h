// The attribute-serving side of bramble as the window uses it: the entry
// points the bridge calls and the probes behind them.
#pragma once
#include <windows.h>

#include <string>

#include "bramble/serving/attribute_bridge.h"

namespace bramble {

const CiEntryPoints* ServingEntryPoints();
void ServingSetMainWindow(HWND window);
// Re-probes the group a refresh message belongs to and tells the waiting
// entry point that the data are ready.
void ServingRefresh(UINT message);
void ServingInvalidateCaches();
bool ServingFullProbe();
// Loads DMIDIR\DATA\FRUTBL.DAT into the FRU table when it exists (a missing
// or malformed file leaves the table empty).
void ServingLoadFruTable(const char* installDir);
// Writes the FRU table to DMIDIR\DATA\FRUTBL.DAT; false with the file's path
// and the system's error code when it cannot be written.
bool ServingStoreFruTable(const char* installDir, std::string* path, DWORD* error);
// Sets the clock to the value a group 2 set left; false when it cannot.
bool ServingApplyPendingClock();

}  // namespace bramble
