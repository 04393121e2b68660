// Group 9, the display modes the adapter supports: one row per distinct
// width, height and colour depth (a mode listed again for another refresh
// rate is one row), keyed 1, 2, ... in the order the system lists them.
// Attribute 2 the resolution as "width,height", 3 the colour depth as text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/vendor/vendor_values.h"

namespace vendor {

struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
};

// Adds mode to modes unless an equal one is there already or the list holds
// maxModes modes. Modes without a size or depth are left out.
void AddDistinctMode(std::vector<DisplayMode>* modes, const DisplayMode& mode, size_t maxModes);

std::vector<uint32_t> ReadDisplayModeRows();
bool ReadDisplayModeValue(uint32_t key, uint32_t attribute, Value* out);

}  // namespace vendor
