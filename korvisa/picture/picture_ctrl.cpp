#include "korvisa/picture/picture_ctrl.h"

#include <commctrl.h>

#include <vector>

namespace korvisa {

namespace {

HPALETTE MakePalette(const std::vector<PaletteColour>& colours)
{
    if (colours.empty())
        return nullptr;
    std::vector<uint8_t> storage(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours.size());
    for (size_t i = 0; i < colours.size(); ++i)
        palette->palPalEntry[i] = {colours[i].red, colours[i].green, colours[i].blue, 0};
    return ::CreatePalette(palette);
}

RECT ToRect(const PixelRect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

bool Same(const PixelRect& a, const PixelRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

PictureCtrl::~PictureCtrl()
{
    for (Slot& slot : m_slots)
        if (slot.palette)
            ::DeleteObject(slot.palette);
}

void PictureCtrl::SetPicture(int slot, DibImage image)
{
    if (slot < 0 || slot >= kSlots)
        return;
    Slot& s = m_slots[slot];
    if (s.palette)
        ::DeleteObject(s.palette);
    s.palette = MakePalette(image.palette);
    s.image = std::move(image);
}

bool PictureCtrl::HasPicture(int slot) const
{
    return slot >= 0 && slot < kSlots && !m_slots[slot].image.packed.empty();
}

void PictureCtrl::AddRegion(int kind, const std::string& text, UINT command)
{
    m_regions.push_back({kind, ParseRegionText(text), command});
}

void PictureCtrl::SetCurrentKind(int kind)
{
    if (kind < 0 || kind >= kSlots)
        return;
    m_currentKind = kind;
    m_highlight = PixelRect();
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

SIZE PictureCtrl::ClientSize() const
{
    RECT client = {0, 0, 0, 0};
    if (m_hWnd)
        ::GetClientRect(m_hWnd, &client);
    return SIZE{client.right, client.bottom};
}

UINT PictureCtrl::HitTest(POINT point, PixelRect* hit) const
{
    SIZE size = ClientSize();
    for (const Region& region : m_regions) {
        if (region.kind != m_currentKind)
            continue;
        for (const CellRange& range : region.ranges) {
            PixelRect rect = RangeRect(range, size.cx, size.cy);
            if (rect.Contains(point.x, point.y)) {
                if (hit)
                    *hit = rect;
                return region.command;
            }
        }
    }
    return 0;
}

void PictureCtrl::Invalidate(const PixelRect& rect)
{
    if (m_hWnd && !rect.Empty()) {
        RECT r = ToRect(rect);
        ::InvalidateRect(m_hWnd, &r, FALSE);
    }
}

void PictureCtrl::TrackMouse(POINT point)
{
    SIZE size = ClientSize();
    PixelRect next;
    if (point.x >= 0 && point.y >= 0 && point.x < size.cx && point.y < size.cy)
        HitTest(point, &next);
    if (Same(next, m_highlight))
        return;
    Invalidate(m_highlight);
    m_highlight = next;
    Invalidate(m_highlight);
}

bool PictureCtrl::Activate(POINT point)
{
    UINT command = HitTest(point);
    if (command == 0)
        return false;
    if (m_commandTarget)
        ::PostMessageA(m_commandTarget, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return true;
}

bool PictureCtrl::RealizePalette()
{
    HPALETTE palette = m_slots[m_currentKind].palette;
    if (!m_hWnd || !palette)
        return false;
    HDC dc = ::GetDC(m_hWnd);
    HPALETTE old = ::SelectPalette(dc, palette, FALSE);
    UINT changed = ::RealizePalette(dc);
    ::SelectPalette(dc, old, TRUE);
    ::ReleaseDC(m_hWnd, dc);
    if (changed != 0 && changed != GDI_ERROR)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return changed != 0 && changed != GDI_ERROR;
}

void PictureCtrl::Paint(HDC dc)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const Slot& slot = m_slots[m_currentKind];
    HPALETTE old = nullptr;
    if (slot.palette) {
        old = ::SelectPalette(dc, slot.palette, TRUE);
        ::RealizePalette(dc);
    }
    const DibImage& image = slot.image;
    if (!image.packed.empty()) {
        const auto* info = reinterpret_cast<const BITMAPINFO*>(image.packed.data());
        const void* bits = image.packed.data() + image.bitsOffset;
        ::SetStretchBltMode(dc, COLORONCOLOR);
        if (m_stretchOff)
            ::SetDIBitsToDevice(dc, 0, 0, image.width, image.height, 0, 0, 0, image.height, bits, info,
                                DIB_RGB_COLORS);
        else
            ::StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, image.width, image.height, bits, info,
                            DIB_RGB_COLORS, SRCCOPY);
    } else {
        ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    if (!m_highlight.Empty()) {
        RECT r = ToRect(m_highlight);
        ::DrawFocusRect(dc, &r);
        ::InflateRect(&r, -1, -1);
        ::DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        ::InflateRect(&r, -3, -3);
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        ::FrameRect(dc, &r, red);
        ::DeleteObject(red);
    }
    if (old)
        ::SelectPalette(dc, old, TRUE);
}

LRESULT PictureCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCHITTEST:
        // A static lets the mouse through to what lies below; the picture
        // takes it itself.
        return HTCLIENT;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        Paint(dc);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return m_slots[m_currentKind].image.packed.empty() ? Default(msg, wParam, lParam) : 1;
    case WM_MOUSEMOVE:
        if (!m_trackingLeave) {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
            m_trackingLeave = ::_TrackMouseEvent(&track) != FALSE;
        }
        TrackMouse(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_MOUSELEAVE:
        m_trackingLeave = false;
        TrackMouse(POINT{-1, -1});
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Activate(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    default:
        return Default(msg, wParam, lParam);
    }
}

}  // namespace korvisa
