// PictureCtrl: the static control of the form that shows one of the PC's
// pictures stretched over its client area, highlights the region under the
// mouse and turns a click on a region into that region's command.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "korvisa/picture/dib_file.h"
#include "korvisa/picture/region_text.h"
#include "platform/framework/wnd.h"

namespace korvisa {

class PictureCtrl : public fw::CWnd {
public:
    static constexpr int kSlots = 9;

    PictureCtrl() = default;
    ~PictureCtrl() override;

    // Takes over the form's static control.
    bool Attach(HWND control) { return SubclassWindow(control); }
    // Where a hit region's command is posted (the main frame).
    void SetCommandTarget(HWND target) { m_commandTarget = target; }

    // Puts a loaded bitmap into a slot and makes the palette of its colours.
    void SetPicture(int slot, DibImage image);
    bool HasPicture(int slot) const;
    void AddRegion(int kind, const std::string& text, UINT command);
    void SetCurrentKind(int kind);
    int CurrentKind() const { return m_currentKind; }
    void SetStretchOff(bool off) { m_stretchOff = off; }

    // The command of the first region of the shown picture that holds the
    // point (client coordinates), 0 for none; and the range it hit.
    UINT HitTest(POINT point, PixelRect* hit = nullptr) const;
    // Moves the highlight to the region under the point; a point outside the
    // client area clears it.
    void TrackMouse(POINT point);
    // Posts the command of the region under the point; false when none.
    bool Activate(POINT point);
    PixelRect Highlight() const { return m_highlight; }
    // Realises the shown picture's palette; true when any colour changed,
    // after which the picture is drawn again.
    bool RealizePalette();

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Slot {
        DibImage image;
        HPALETTE palette = nullptr;
    };
    struct Region {
        int kind;
        std::vector<CellRange> ranges;
        UINT command;
    };
    void Paint(HDC dc);
    void Invalidate(const PixelRect& rect);
    SIZE ClientSize() const;

    Slot m_slots[kSlots];
    std::vector<Region> m_regions;
    int m_currentKind = 0;
    bool m_stretchOff = false;
    PixelRect m_highlight;
    HWND m_commandTarget = nullptr;
    bool m_trackingLeave = false;   // asked to be told when the mouse leaves
};

}  // namespace korvisa
