#include "korvisa/picture/region_text.h"

#include <cctype>

#include "common/cp932.h"

namespace korvisa {

namespace {

constexpr int kGrid = 10;

// Reads a row number of one or two digits at text[pos].
bool ReadRow(const std::string& text, size_t& pos, int& row)
{
    if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos])))
        return false;
    row = 0;
    for (int digits = 0; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++digits) {
        if (digits == 2)
            return false;
        row = row * 10 + (text[pos++] - '0');
    }
    return row >= 1 && row <= kGrid;
}

bool ReadCell(const std::string& text, size_t& pos, int& column, int& row)
{
    if (pos + 1 >= text.size() || text[pos] < 'A' || text[pos] >= 'A' + kGrid || text[pos + 1] != ':')
        return false;
    column = text[pos] - 'A';
    pos += 2;
    return ReadRow(text, pos, row);
}

bool Expect(const std::string& text, size_t& pos, char c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

}  // namespace

bool RegionTextCounts(const std::string& text)
{
    size_t end = text.find(';');
    if (end == std::string::npos)
        return false;
    size_t opens = 0, closes = 0;
    for (size_t i = 0; i < end; ++i) {
        opens += text[i] == '(';
        closes += text[i] == ')';
    }
    return (opens == 1 && closes == 1) || (opens % 2 == 0 && closes % 2 == 0);
}

std::vector<CellRange> ParseRegionText(const std::string& text)
{
    std::vector<CellRange> ranges;
    if (!RegionTextCounts(text))
        return ranges;
    std::string upper = text.substr(0, text.find(';'));
    cp932::UpperAscii(&upper[0], upper.size());

    for (size_t open = upper.find('('); open != std::string::npos; open = upper.find('(', open + 1)) {
        size_t pos = open + 1;
        CellRange r;
        if (ReadCell(upper, pos, r.firstColumn, r.firstRow) && Expect(upper, pos, ',') &&
            ReadCell(upper, pos, r.lastColumn, r.lastRow) && Expect(upper, pos, ')') &&
            r.lastColumn >= r.firstColumn && r.lastRow >= r.firstRow)
            ranges.push_back(r);
    }
    return ranges;
}

PixelRect RangeRect(const CellRange& range, int width, int height)
{
    const int cw = width / kGrid, ch = height / kGrid;
    const int rw = width % kGrid, rh = height % kGrid;
    PixelRect rect;
    rect.left = cw * range.firstColumn;
    rect.top = ch * (range.firstRow - 1);
    rect.right = cw * (range.lastColumn + 1) + rw;
    rect.bottom = ch * range.lastRow + rh;
    return rect;
}

}  // namespace korvisa
