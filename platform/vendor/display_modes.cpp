#include "platform/vendor/display_modes.h"

#include <windows.h>

#include "platform/vendor/attribute_catalogue.h"
#include "platform/vendor/display_colours.h"

namespace vendor {

namespace {

// Drivers list every mode once per refresh rate, so a few hundred entries are
// common; more than this is a driver gone wrong.
constexpr DWORD kMaxModesAsked = 4096;

std::vector<DisplayMode> ReadDisplayModes()
{
    std::vector<DisplayMode> modes;
    for (DWORD i = 0; i < kMaxModesAsked && modes.size() < kMaxTableRows; i++) {
        DEVMODEA devMode = {};
        devMode.dmSize = sizeof devMode;
        if (!EnumDisplaySettingsA(nullptr, i, &devMode))
            break;
        DisplayMode mode;
        mode.width = devMode.dmPelsWidth;
        mode.height = devMode.dmPelsHeight;
        mode.bitsPerPixel = devMode.dmBitsPerPel;
        AddDistinctMode(&modes, mode, kMaxTableRows);
    }
    return modes;
}

}  // namespace

void AddDistinctMode(std::vector<DisplayMode>* modes, const DisplayMode& mode, size_t maxModes)
{
    if (mode.width == 0 || mode.height == 0 || mode.bitsPerPixel == 0 || modes->size() >= maxModes)
        return;
    for (const DisplayMode& known : *modes) {
        if (known.width == mode.width && known.height == mode.height &&
            known.bitsPerPixel == mode.bitsPerPixel)
            return;
    }
    modes->push_back(mode);
}

std::vector<uint32_t> ReadDisplayModeRows()
{
    std::vector<uint32_t> keys;
    const size_t count = ReadDisplayModes().size();
    for (size_t i = 1; i <= count; i++)
        keys.push_back(static_cast<uint32_t>(i));
    return keys;
}

bool ReadDisplayModeValue(uint32_t key, uint32_t attribute, Value* out)
{
    if (attribute != 2 && attribute != 3)
        return false;
    const std::vector<DisplayMode> modes = ReadDisplayModes();
    if (key == 0 || key > modes.size())
        return false;
    const DisplayMode& mode = modes[key - 1];
    if (attribute == 2)
        *out = TextValue(std::to_string(mode.width) + "," + std::to_string(mode.height));
    else
        *out = TextValue(ColourDepthText(mode.bitsPerPixel));
    return true;
}

}  // namespace vendor
