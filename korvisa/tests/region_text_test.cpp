// Region texts of the picture configuration and the picture control's hit
// test over them.
#include <gtest/gtest.h>

#include "korvisa/picture/picture_ctrl.h"
#include "korvisa/picture/region_text.h"

using namespace korvisa;

namespace {

PixelRect OnlyRange(const std::string& text, int width, int height)
{
    std::vector<CellRange> ranges = ParseRegionText(text);
    EXPECT_EQ(ranges.size(), 1u) << text;
    return ranges.empty() ? PixelRect() : RangeRect(ranges[0], width, height);
}

}  // namespace

TEST(RegionText, CellsAreTenthsAndTheRemaindersGoRightAndDown)
{
    PixelRect r = OnlyRange("(B:2,C:3);", 205, 105);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right, 65);
    EXPECT_EQ(r.bottom, 35);

    // The whole grid reaches the last pixel at the right and at the bottom.
    PixelRect all = OnlyRange("(a:1,j:10);", 207, 109);
    EXPECT_EQ(all.left, 0);
    EXPECT_EQ(all.top, 0);
    EXPECT_EQ(all.right, 207);
    EXPECT_EQ(all.bottom, 109);
    EXPECT_TRUE(all.Contains(206, 108));
    EXPECT_FALSE(all.Contains(207, 50));

    // Two ranges, read in text order.
    std::vector<CellRange> two = ParseRegionText("(A:1,A:1)(J:10,J:10);");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1].firstColumn, 9);
    EXPECT_EQ(two[1].lastRow, 10);
}

TEST(RegionText, OnlyTextsWithTheRightBracketsCount)
{
    EXPECT_TRUE(RegionTextCounts("(A:1,B:2);"));
    EXPECT_FALSE(RegionTextCounts("(A:1,B:2)"));                      // no ";"
    EXPECT_FALSE(RegionTextCounts("(A:1,B:2)(C:1,D:2)(E:1,F:2);"));   // three ranges
    EXPECT_TRUE(RegionTextCounts("(A:1,B:2)(C:1,D:2);"));
    EXPECT_FALSE(RegionTextCounts("(A:1,B:2)(C:1,D:2;"));             // 2 and 1
    // Only the part before the first ";" is counted.
    EXPECT_TRUE(RegionTextCounts("(A:1,B:2);(C:1,D:2)(E:1,F:2);"));
    EXPECT_TRUE(ParseRegionText("(A:1,B:2)(C:1,D:2)(E:1,F:2);").empty());
}

TEST(RegionText, RangesOutsideTheGridOrMalformedAreLeftOut)
{
    for (const char* text : {"(K:1,K:2);", "(A:0,B:2);", "(A:1,B:11);", "(C:3,B:4);", "(A:4,B:3);",
                             "(A:1,B:2 );", "(A1,B:2);", "(A:123,B:2);", "();", ";"})
        EXPECT_TRUE(ParseRegionText(text).empty()) << text;
    // A bad range does not spoil a good one beside it.
    EXPECT_EQ(ParseRegionText("(A:1,B:2)(Z:1,Z:2);").size(), 1u);
}

TEST(PictureCtrlHits, FirstRegionOfTheShownPictureWins)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 205, 105, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    PictureCtrl picture;
    ASSERT_TRUE(picture.Attach(window));
    picture.AddRegion(0, "(A:1,B:2);", 32773);
    picture.AddRegion(0, "(A:1,J:10);", 32774);
    picture.AddRegion(1, "(A:1,J:10);", 32788);
    picture.AddRegion(0, "(A:1,B:2)(C:1,D:2)(E:1,F:2);", 32775);   // does not count

    PixelRect hit;
    EXPECT_EQ(picture.HitTest(POINT{5, 5}, &hit), 32773u);
    EXPECT_EQ(hit.right, 45);   // two columns of 20 and the remainder 5
    EXPECT_EQ(picture.HitTest(POINT{100, 50}), 32774u);
    EXPECT_EQ(picture.HitTest(POINT{205, 50}), 0u);

    // The back picture's regions hit only while it is shown.
    picture.SetCurrentKind(1);
    EXPECT_EQ(picture.HitTest(POINT{5, 5}), 32788u);

    // The highlight follows the mouse and goes when it leaves.
    picture.SetCurrentKind(0);
    picture.TrackMouse(POINT{5, 5});
    EXPECT_EQ(picture.Highlight().right, 45);
    picture.TrackMouse(POINT{-1, 5});
    EXPECT_TRUE(picture.Highlight().Empty());

    // A click on a region posts its command to the main frame; elsewhere nothing.
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    picture.SetCommandTarget(frame);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50));
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(300, 50));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, frame, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(msg.wParam), 32774);
    EXPECT_FALSE(PeekMessageA(&msg, frame, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    DestroyWindow(frame);
    picture.DestroyWindow();
}
