#include "korvisa/picture/dib_file.h"

namespace korvisa {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Dword(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

constexpr uint32_t kBiRgb = 0, kBiBitfields = 3;

}  // namespace

DibStatus ParseDibFile(const uint8_t* data, size_t size, DibImage& out)
{
    out = DibImage();
    if (!data || size < kFileHeaderSize + kCoreHeaderSize || data[0] != 'B' || data[1] != 'M')
        return DibStatus::Broken;
    const uint8_t* dib = data + kFileHeaderSize;
    const size_t dibSize = size - kFileHeaderSize;

    const uint32_t headerSize = Dword(dib);
    uint32_t compression = kBiRgb, coloursUsed = 0, imageSize = 0;
    uint16_t planes;
    size_t entrySize;
    if (headerSize == kCoreHeaderSize) {
        out.coreHeader = true;
        out.width = Word(dib + 4);
        out.height = Word(dib + 6);
        planes = Word(dib + 8);
        out.bitsPerPixel = Word(dib + 10);
        entrySize = 3;
    } else if (headerSize >= kInfoHeaderSize && headerSize <= dibSize) {
        out.width = static_cast<int32_t>(Dword(dib + 4));
        out.height = static_cast<int32_t>(Dword(dib + 8));
        planes = Word(dib + 12);
        out.bitsPerPixel = Word(dib + 14);
        compression = Dword(dib + 16);
        imageSize = Dword(dib + 20);
        coloursUsed = Dword(dib + 32);
        entrySize = 4;
    } else {
        return DibStatus::Broken;
    }
    if (out.width < 0 || out.height < 0)
        return DibStatus::TooLarge;
    const uint16_t bpp = out.bitsPerPixel;
    if (planes != 1 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32))
        return DibStatus::Broken;

    // The colour table: the stated count, else a full table for 1, 4 and 8
    // bits; never more than the depth can index, nor more than 256.
    size_t colours = 0;
    if (bpp <= 8) {
        size_t full = size_t(1) << bpp;
        colours = coloursUsed ? coloursUsed : full;
        if (colours > full)
            return DibStatus::Broken;
    } else if (coloursUsed > 256) {
        return DibStatus::Broken;
    } else {
        colours = coloursUsed;
    }
    size_t masks = (compression == kBiBitfields && headerSize == kInfoHeaderSize) ? 12 : 0;
    size_t tableEnd = headerSize + masks + colours * entrySize;
    if (tableEnd > dibSize)
        return DibStatus::Broken;

    // The pixels start where the file header says, which must lie after the table.
    uint32_t offBits = Dword(data + 10);
    size_t bitsOffset = offBits >= kFileHeaderSize ? offBits - kFileHeaderSize : 0;
    if (offBits < kFileHeaderSize || bitsOffset < tableEnd || bitsOffset > dibSize)
        return DibStatus::Broken;

    // Uncompressed rows are padded to four bytes; compressed pixels take the stated size.
    uint64_t stride = ((static_cast<uint64_t>(out.width) * bpp + 31) / 32) * 4;
    uint64_t pixelBytes = (compression == kBiRgb || compression == kBiBitfields)
                              ? stride * static_cast<uint64_t>(out.height)
                              : imageSize;
    if (pixelBytes > dibSize - bitsOffset || out.width == 0 || out.height == 0)
        return DibStatus::Broken;

    out.palette.reserve(colours);
    for (size_t i = 0; i < colours; ++i) {
        const uint8_t* entry = dib + headerSize + masks + i * entrySize;
        out.palette.push_back({entry[2], entry[1], entry[0]});
    }
    out.packed.assign(dib, dib + dibSize);
    out.bitsOffset = bitsOffset;
    return DibStatus::Ok;
}

}  // namespace korvisa
