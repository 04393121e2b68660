// bramble's answers to the DMI service layer: the five component
// instrumentation entry points, the dispatch by group, the per-group caches,
// and the refresh handshake with bramble's window.
#pragma once
#include <windows.h>

#include <vector>

#include "bramble/serving/attribute_bridge.h"

extern "C" {
bramble::AttributeResult* WINAPI CiGetAttribute(ULONG componentId, ULONG groupId, ULONG attributeId,
                                                ULONG keyCount, bramble::KeyEntry* keys);
bramble::AttributeResult* WINAPI CiGetNextAttribute(ULONG componentId, ULONG groupId, ULONG attributeId,
                                                    ULONG keyCount, bramble::KeyEntry* keys);
ULONG WINAPI CiSetAttribute(ULONG componentId, ULONG groupId, ULONG attributeId, ULONG keyCount,
                            bramble::KeyEntry* keys, void* value);
ULONG WINAPI CiReserveAttribute(ULONG componentId, ULONG groupId, ULONG attributeId, ULONG keyCount,
                                bramble::KeyEntry* keys, void* value);
ULONG WINAPI CiReleaseAttribute(ULONG componentId, ULONG groupId, ULONG attributeId, ULONG keyCount,
                                bramble::KeyEntry* keys, void* value);
}

namespace bramble {

// Messages bramble's window receives from the entry points.
enum : UINT {
    kRefreshSystem = 0x468,       // group 1
    kRefreshGeneral = 0x466,      // group 2
    kRefreshBios = 0x46A,         // group 4
    kRefreshMemory = 0x46B,       // group 9
    kRefreshKeyboard = 0x472,     // group 29
    kRefreshDisplay = 0x486,      // group 20
    kRefreshVideoBios = 0x487,    // group 22
    kRefreshIrq = 0x488,          // group 13
    kSetClockMessage = 0x483,     // a group 2 clock set is pending
    kStoreFruTableMessage = 0x482,  // with kStoreFruTableWParam: write the FRU table file
};

enum : WPARAM { kStoreFruTableWParam = 102 };

// The get, get-next and set entry points for the bridge.
const CiEntryPoints& EntryPoints();

// The window that receives the refresh messages and the clock message. Without
// a window the groups refresh in place, and a clock set fails.
void SetMainWindow(HWND window);

// Marks every group's cache invalid, so the next request probes again.
void InvalidateCaches();

// Reads the SMBIOS table and fills every group that bramble serves. False when
// the table cannot be read (the groups that need it then answer null).
bool RunFullProbe();

// Called by the window's refresh handlers when they have finished.
void SetDataReady();

// For the window's refresh handlers: re-probes the group that the refresh
// message belongs to and sets the data-ready flag. False for other messages.
bool HandleRefreshMessage(UINT message);

// The clock value that a group 2 set left for the clock message's handler;
// false when none is pending. The handler answers nonzero when it set the
// clock and zero when the system refused it.
bool PendingClock(SYSTEMTIME* out);

// Sets the local clock to the pending clock value (the clock message's
// handler); false when none is pending or the system refuses the time.
bool ApplyPendingClock();

// What sets the clock: SetLocalTime unless a test puts a recorder in its place
// (Wine refuses large clock changes, and a test must not move the host's clock).
using ClockSetter = bool (*)(const SYSTEMTIME& time);
void SetClockSetter(ClockSetter setter);  // null: SetLocalTime again

// Where the SMBIOS table comes from: by default the instrumentation driver.
// A reader fills the table bytes and answers false when it has none.
using SmbiosTableReader = bool (*)(std::vector<unsigned char>* table);
void SetSmbiosTableReader(SmbiosTableReader reader);  // null: the driver again

}  // namespace bramble
