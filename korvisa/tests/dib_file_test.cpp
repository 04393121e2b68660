#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "korvisa/picture/dib_file.h"

using korvisa::DibImage;
using korvisa::DibStatus;
using korvisa::ParseDibFile;

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A well-formed file with a 40-byte header: width × height at bpp bits,
// `colours` table entries (0 = the full table for the depth).
std::vector<uint8_t> MakeBitmap(int32_t width, int32_t height, uint16_t bpp, uint32_t colours = 0)
{
    size_t table = (bpp <= 8 ? (colours ? colours : 1u << bpp) : colours) * 4;
    size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
    size_t offBits = 14 + 40 + table;
    std::vector<uint8_t> b(offBits + stride * static_cast<size_t>(height > 0 ? height : 0), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, static_cast<uint32_t>(offBits));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(width));
    Put32(b, 22, static_cast<uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, bpp);
    Put32(b, 46, colours);
    for (size_t i = 0; i < table / 4; ++i) {
        b[54 + i * 4] = 0x10;       // blue
        b[54 + i * 4 + 1] = 0x20;   // green
        b[54 + i * 4 + 2] = static_cast<uint8_t>(i);   // red
    }
    return b;
}

DibStatus Parse(const std::vector<uint8_t>& b, DibImage* image = nullptr)
{
    DibImage scratch;
    return ParseDibFile(b.data(), b.size(), image ? *image : scratch);
}

}  // namespace

TEST(DibFile, ReadsHeaderPaletteAndPixelsOfGoodFiles)
{
    DibImage image;
    std::vector<uint8_t> file = MakeBitmap(401, 3, 8, 69);
    ASSERT_EQ(Parse(file, &image), DibStatus::Ok);
    EXPECT_EQ(image.width, 401);
    EXPECT_EQ(image.height, 3);
    ASSERT_EQ(image.palette.size(), 69u);
    // Colour entries are blue, green, red in the file.
    EXPECT_EQ(image.palette[68].red, 68);
    EXPECT_EQ(image.palette[68].green, 0x20);
    EXPECT_EQ(image.palette[68].blue, 0x10);
    EXPECT_EQ(image.bitsOffset, 40u + 69 * 4);
    EXPECT_EQ(image.packed.size(), file.size() - 14);

    // Without a stated count an 8-bit file has 256 colours; 24-bit has none.
    ASSERT_EQ(Parse(MakeBitmap(2, 2, 8), &image), DibStatus::Ok);
    EXPECT_EQ(image.palette.size(), 256u);
    ASSERT_EQ(Parse(MakeBitmap(5, 5, 24), &image), DibStatus::Ok);
    EXPECT_TRUE(image.palette.empty());
    ASSERT_EQ(Parse(MakeBitmap(3, 1, 1), &image), DibStatus::Ok);
    EXPECT_EQ(image.palette.size(), 2u);

    // The old 12-byte header with 3-byte colour entries.
    std::vector<uint8_t> core(14 + 12 + 16 * 3 + 4 * 2, 0);
    core[0] = 'B';
    core[1] = 'M';
    Put32(core, 10, 14 + 12 + 16 * 3);
    Put32(core, 14, 12);
    Put16(core, 18, 8);
    Put16(core, 20, 2);
    Put16(core, 22, 1);
    Put16(core, 24, 4);
    core[14 + 12 + 15 * 3 + 2] = 0xAB;   // red of the last colour
    ASSERT_EQ(Parse(core, &image), DibStatus::Ok);
    EXPECT_TRUE(image.coreHeader);
    ASSERT_EQ(image.palette.size(), 16u);
    EXPECT_EQ(image.palette[15].red, 0xAB);
}

TEST(DibFile, HeadersThatClaimMoreThanTheFileHoldsAreBroken)
{
    EXPECT_EQ(Parse({}), DibStatus::Broken);
    std::vector<uint8_t> notBitmap = MakeBitmap(4, 4, 8);
    notBitmap[0] = 'M';
    EXPECT_EQ(Parse(notBitmap), DibStatus::Broken);

    // Pixel rows one byte short of width × height.
    std::vector<uint8_t> shortRows = MakeBitmap(10, 10, 24);
    shortRows.pop_back();
    EXPECT_EQ(Parse(shortRows), DibStatus::Broken);

    // A colour count above what 4 bits can index, or above 256 for true colour.
    std::vector<uint8_t> tooManyColours = MakeBitmap(4, 4, 4, 16);
    Put32(tooManyColours, 46, 17);
    EXPECT_EQ(Parse(tooManyColours), DibStatus::Broken);
    std::vector<uint8_t> hugeCount = MakeBitmap(4, 4, 24);
    Put32(hugeCount, 46, 0x40000000);
    EXPECT_EQ(Parse(hugeCount), DibStatus::Broken);

    // Header size larger than the file, and pixels said to start inside the table.
    std::vector<uint8_t> bigHeader = MakeBitmap(4, 4, 8);
    Put32(bigHeader, 14, 0x7FFFFFF0);
    EXPECT_EQ(Parse(bigHeader), DibStatus::Broken);
    std::vector<uint8_t> bitsInTable = MakeBitmap(4, 4, 8);
    Put32(bitsInTable, 10, 14 + 40 + 8);
    EXPECT_EQ(Parse(bitsInTable), DibStatus::Broken);

    // Dimensions whose product wraps in 32 bits must not pass as small.
    std::vector<uint8_t> wraps = MakeBitmap(4, 4, 32);
    Put32(wraps, 18, 0x40000000);
    Put32(wraps, 22, 0x40);
    EXPECT_EQ(Parse(wraps), DibStatus::Broken);
}

TEST(DibFile, NegativeDimensionsAreTooLarge)
{
    std::vector<uint8_t> file = MakeBitmap(4, 4, 8);
    Put32(file, 22, static_cast<uint32_t>(-4));
    EXPECT_EQ(Parse(file), DibStatus::TooLarge);
    file = MakeBitmap(4, 4, 8);
    Put32(file, 18, 0x80000000u);
    EXPECT_EQ(Parse(file), DibStatus::TooLarge);
}
