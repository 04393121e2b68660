// Reading a Windows bitmap file into a device-independent bitmap, checking
// every size the file states against the bytes it really has.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvisa {

enum class DibStatus {
    Ok,
    Broken,     // not a bitmap, short, or its headers, colours or rows run past the data
    TooLarge,   // a negative width or height
};

struct PaletteColour {
    uint8_t red, green, blue;
};

struct DibImage {
    // Everything after the 14-byte file header: the information header, the
    // colour table and the pixels, as the drawing calls take them.
    std::vector<uint8_t> packed;
    size_t bitsOffset = 0;                // where the pixels start within packed
    int32_t width = 0, height = 0;
    uint16_t bitsPerPixel = 0;
    bool coreHeader = false;              // the old 12-byte header with 3-byte colours
    std::vector<PaletteColour> palette;   // empty for depths without a colour table
};

// Parses a whole bitmap file held in memory.
DibStatus ParseDibFile(const uint8_t* data, size_t size, DibImage& out);

}  // namespace korvisa
