// The viewer runs once: a start while it runs ends at once, bringing the
// running viewer's message box or progress dialog forward when one is open.
#pragma once
#include <windows.h>

namespace korvisa {

// The caption of the viewer's message boxes and progress dialog.
extern const char kViewerCaption[];

// Looks for a top-level window titled exactly like the viewer's boxes; when
// there is one it is shown normally and given the focus, and true is returned.
bool BringRunningViewerForward();

// The named mapping "RemoteViewMap", held for the life of the process; only
// the first process to create it may run.
class RemoteViewMapping {
public:
    ~RemoteViewMapping();
    // False when another process holds the mapping already; true otherwise,
    // also when no mapping could be made (then nothing is held).
    bool Create();

private:
    HANDLE m_handle = nullptr;
};

}  // namespace korvisa
