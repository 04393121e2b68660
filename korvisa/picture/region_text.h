// Region texts of the picture configuration: one or more cell ranges
// "(C:1,G:5)" ended by ";", on a grid of 10 columns (A to J) by 10 rows
// (1 to 10) laid over the picture's client area.
#pragma once
#include <string>
#include <vector>

namespace korvisa {

struct CellRange {
    int firstColumn, firstRow, lastColumn, lastRow;   // columns from 0, rows from 1
};

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;     // right and bottom exclusive
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Whether a region text counts at all: it holds ";" and, before the first
// ";", the numbers of "(" and of ")" are both 1 or both even.
bool RegionTextCounts(const std::string& text);

// The ranges of a text that counts, in text order, read in upper case. A
// range that is not well formed, or that lies outside the 10 x 10 grid or
// runs backwards, is left out: a registry value must not reach outside the
// picture. A text that does not count has no ranges.
std::vector<CellRange> ParseRegionText(const std::string& text);

// The pixels a range covers on a client area of the given size: cells of
// width / 10 by height / 10, the remainders added at the right and bottom.
PixelRect RangeRect(const CellRange& range, int width, int height);

}  // namespace korvisa
