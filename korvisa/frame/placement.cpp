#include "korvisa/frame/placement.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace korvisa {

std::string FormatPosition(const RECT& rect)
{
    char text[64];
    std::snprintf(text, sizeof text, "%ld %ld %ld %ld", static_cast<long>(rect.left), static_cast<long>(rect.top),
                  static_cast<long>(rect.right), static_cast<long>(rect.bottom));
    return text;
}

// One whole number of the position text; false on anything else or overflow.
static bool ReadNumber(const char*& p, LONG& value)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    if (!((*p >= '0' && *p <= '9') || ((*p == '-' || *p == '+') && p[1] >= '0' && p[1] <= '9')))
        return false;
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(p, &end, 10);
    // A coordinate beyond a few million pixels is no window position.
    if (errno != 0 || number < -10000000L || number > 10000000L)
        return false;
    value = number;
    p = end;
    return true;
}

bool ParsePosition(const char* text, RECT& rect)
{
    if (!text)
        return false;
    RECT r;
    const char* p = text;
    if (!ReadNumber(p, r.left) || !ReadNumber(p, r.top) || !ReadNumber(p, r.right) || !ReadNumber(p, r.bottom))
        return false;
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p != '\0' || r.right <= r.left || r.bottom <= r.top)
        return false;
    rect = r;
    return true;
}

// The point test of the desktop: right and bottom edges do not belong to it.
static bool OnDesktop(const RECT& desktop, LONG x, LONG y)
{
    return x >= desktop.left && x < desktop.right && y >= desktop.top && y < desktop.bottom;
}

RECT PlaceOnDesktop(const RECT& frame, const RECT& desktop)
{
    const LONG l = frame.left, t = frame.top, r = frame.right, b = frame.bottom;
    const LONG width = r - l, height = b - t;
    const bool br = OnDesktop(desktop, r, b), tl = OnDesktop(desktop, l, t);
    const bool tr = OnDesktop(desktop, r, t), bl = OnDesktop(desktop, l, b);

    if (!br && !tr && !bl) {
        LONG x = desktop.left + ((desktop.right - desktop.left) - width) / 2;
        LONG y = desktop.top + ((desktop.bottom - desktop.top) - height) / 2;
        return RECT{x, y, x + width, y + height};
    }
    LONG dx = 0, dy = 0;
    if (br && !tl && !tr && !bl) {
        dx = desktop.left - l; dy = desktop.top - t;
    } else if (!br && !tl && tr && !bl) {
        dx = desktop.left - l; dy = desktop.bottom - b;
    } else if (!br && !tl && !tr && bl) {
        dx = desktop.right - r; dy = desktop.top - t;
    } else if (br && !tl && !tr && bl) {
        dy = desktop.top - t;
    } else if (!br && tl && tr && !bl) {
        dy = desktop.bottom - b;
    } else if (br && !tl && tr && !bl) {
        dx = desktop.left - l;
    } else if (!br && tl && !tr && bl) {
        dx = desktop.right - r;
    }
    return RECT{l + dx, t + dy, r + dx, b + dy};
}

int UnpreservedHeight(int clientWidth, int toolBarHeight, int statusBarHeight)
{
    return (clientWidth / 5) * 3 + toolBarHeight + statusBarHeight + 70;
}

}  // namespace korvisa
