// Docking toolbars on the frame's edges: which edge a bar released by the
// mouse goes to, and how a docked bar takes its strip of the frame.
#pragma once
#include <windows.h>

namespace fw {

// How far (pixels) from an edge, inside or outside the frame's client area,
// a released bar still docks on that edge.
constexpr int kDockReach = 32;

// The side among `allowed` (kDock flags) whose edge of `client` lies nearest
// `drop`, when `drop` is within `reach` of that edge; 0 when none is. On a
// tie the order is top, bottom, left, right.
DWORD DockSideForDrop(const RECT& client, POINT drop, DWORD allowed, int reach = kDockReach);

// Takes a strip `thickness` deep along `side` of `area` (never more than
// `area` holds): returns the strip and leaves the rest in `area`.
RECT TakeEdge(RECT& area, DWORD side, int thickness);

}  // namespace fw
