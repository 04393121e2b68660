// The hourglass while a page fetches its values.
#pragma once
#include <windows.h>

namespace korvisa {

class WaitCursor {
public:
    WaitCursor() : m_old(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_old); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_old;
};

}  // namespace korvisa
