// The attribute-serving side of bramble as the window uses it: the entry
// points the bridge calls and the probes behind them.
#pragma once
#include <windows.h>

#include "bramble/serving/attribute_bridge.h"

namespace bramble {

const CiEntryPoints* ServingEntryPoints();
void ServingSetMainWindow(HWND window);
// Re-probes the group a refresh message belongs to and tells the waiting
// entry point that the data are ready.
void ServingRefresh(UINT message);
void ServingInvalidateCaches();
bool ServingFullProbe();

}  // namespace bramble
