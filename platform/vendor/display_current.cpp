#include "platform/vendor/display_current.h"

#include <windows.h>

#include "platform/vendor/attribute_catalogue.h"
#include "platform/vendor/display_colours.h"

namespace vendor {

namespace {

// Depth and rate of the screen now. Windows 95 and NT 4.0 do not know
// ENUM_CURRENT_SETTINGS: they answer from the screen's device context, where
// only NT tells the rate.
void CurrentDisplay(uint32_t* bitsPerPixel, uint32_t* hertz)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
        *bitsPerPixel = mode.dmBitsPerPel;
        *hertz = mode.dmDisplayFrequency;
        return;
    }
    *bitsPerPixel = 0;
    *hertz = 0;
    HDC screen = GetDC(nullptr);
    if (screen) {
        const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
        const int rate = GetDeviceCaps(screen, VREFRESH);
        *bitsPerPixel = bits > 0 ? static_cast<uint32_t>(bits) : 0;
        *hertz = rate > 0 ? static_cast<uint32_t>(rate) : 0;
        ReleaseDC(nullptr, screen);
    }
}

}  // namespace

std::string RefreshRateText(uint32_t hertz)
{
    return hertz > 1 ? std::to_string(hertz) : std::string();
}

bool ReadCurrentDisplayValue(uint32_t key, uint32_t attribute, Value* out)
{
    if (key != 0 || (attribute != 2 && attribute != 3))
        return false;
    uint32_t bits = 0, hertz = 0;
    CurrentDisplay(&bits, &hertz);
    *out = TextValue(attribute == 2 ? ColourDepthText(bits) : RefreshRateText(hertz));
    return true;
}

}  // namespace vendor
