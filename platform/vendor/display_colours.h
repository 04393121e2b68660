// How a colour depth is worded on the display page, as the display control
// panel of a Japanese Windows words it ("256 色", "High Color (16 ﾋﾞｯﾄ)").
#pragma once

#include <cstdint>
#include <string>

namespace vendor {

// The text for a depth in bits per pixel; "" for 0 (not known).
std::string ColourDepthText(uint32_t bitsPerPixel);

}  // namespace vendor
