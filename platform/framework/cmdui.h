// Command routing: who handles a command id, and whether it is enabled or
// checked right now. Menus and toolbars ask before they show a command.
#pragma once
#include <windows.h>

namespace fw {

// The state of one command, as an update handler sets it.
struct CCmdUI {
    UINT id = 0;
    bool enabled = true;
    bool checked = false;
    bool handled = false;   // some target answered for this command

    void Enable(bool on = true) { enabled = on; handled = true; }
    void SetCheck(bool on = true) { checked = on; handled = true; }
};

// Anything that takes part in command routing.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Carries out the command; false when this target does not handle it.
    virtual bool HandleCommand(UINT id) { (void)id; return false; }
    // Sets the command's state; false when this target does not know it.
    virtual bool UpdateCommand(CCmdUI& ui) { (void)ui; return false; }
};

}  // namespace fw
