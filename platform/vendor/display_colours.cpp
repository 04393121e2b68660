#include "platform/vendor/display_colours.h"

#include <cstdio>

namespace vendor {

std::string ColourDepthText(uint32_t bitsPerPixel)
{
    char text[48];
    if (bitsPerPixel == 0)
        return std::string();
    if (bitsPerPixel <= 8)
        std::snprintf(text, sizeof text, "%lu 色", 1UL << bitsPerPixel);
    else if (bitsPerPixel <= 16)
        std::snprintf(text, sizeof text, "High Color (%lu ﾋﾞｯﾄ)", static_cast<unsigned long>(bitsPerPixel));
    else if (bitsPerPixel <= 32)
        std::snprintf(text, sizeof text, "True Color (%lu ﾋﾞｯﾄ)", static_cast<unsigned long>(bitsPerPixel));
    else
        std::snprintf(text, sizeof text, "%lu ﾋﾞｯﾄ", static_cast<unsigned long>(bitsPerPixel));
    return text;
}

}  // namespace vendor
